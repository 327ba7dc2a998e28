#ifndef REFHOST_TRANSLATIONSOFF_H
#define REFHOST_TRANSLATIONSOFF_H

namespace refhost {

// While an object lives, the string table and the output service of its thread translate
// nothing, so what the library emits reads as its own texts. A host that shows translated
// messages runs a command once more under it to have the original texts as well.
class TranslationsOff {
  public:
    TranslationsOff();
    ~TranslationsOff();
    TranslationsOff(const TranslationsOff&) = delete;
    TranslationsOff& operator=(const TranslationsOff&) = delete;
};

// True while a TranslationsOff object lives on this thread.
bool TranslationsAreOff();

}  // namespace refhost

#endif
