#ifndef REFHOST_NOINLINE_H
#define REFHOST_NOINLINE_H

// For the rare branch of a function called on every token or name: inlined, its code makes
// the common path save and restore registers on every call. Private to the reference host's
// sources.
#if defined(__GNUC__)
#define REFHOST_NOINLINE __attribute__((noinline))
#elif defined(_MSC_VER)
#define REFHOST_NOINLINE __declspec(noinline)
#else
#define REFHOST_NOINLINE
#endif

#endif
