#ifndef REFHOST_REFHOST_H
#define REFHOST_REFHOST_H

// Umbrella header of the reference host, in its two roles.

// The host services the library calls: the reference host defines every one of them
// (refhost/host/).
#include "uparser/host/CaseFile.h"
#include "uparser/host/DataSource.h"
#include "uparser/host/FileServices.h"
#include "uparser/host/MBString.h"
#include "uparser/host/OutputCells.h"
#include "uparser/host/StringTable.h"
#include "uparser/host/TokenSequence.h"
#include "uparser/host/VarName.h"

// The reference host's own API (refhost/), among it the settings that steer its services.
#include "refhost/CaseFiles.h"
#include "refhost/CommandSplitter.h"
#include "refhost/Dictionary.h"
#include "refhost/FileStatusMemo.h"
#include "refhost/FileText.h"
#include "refhost/LookupLog.h"
#include "refhost/MessageCatalog.h"
#include "refhost/MessageLog.h"
#include "refhost/ReservedWords.h"
#include "refhost/SplitCommands.h"
#include "refhost/TextTokenSequence.h"
#include "refhost/Tokens.h"
#include "refhost/Translations.h"
#include "refhost/UnicodeText.h"
#include "refhost/TranslationsOff.h"
#include "refhost/ValueConversion.h"
#include "refhost/WorkingDirectory.h"

#endif
