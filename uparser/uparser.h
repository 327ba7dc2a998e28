#ifndef UPARSER_UPARSER_H
#define UPARSER_UPARSER_H

// Umbrella header: every public header of the library.
#include "uparser/CommandDescriptor.h"
#include "uparser/CommandSpec.h"
#include "uparser/Export.h"
#include "uparser/GroupComDescriptor.h"
#include "uparser/GroupComObj.h"
#include "uparser/ParamDescriptor.h"
#include "uparser/ParamDescriptorWrapper.h"
#include "uparser/ParamObj.h"
#include "uparser/ParamTypeTraits.h"
#include "uparser/ParseCodes.h"
#include "uparser/ParserMessage.h"
#include "uparser/ParserUtility.h"
#include "uparser/ParserValidator.h"
#include "uparser/SubComDescriptor.h"
#include "uparser/SubComObj.h"
#include "uparser/TokenInfoObj.h"
#include "uparser/UPSpecTypes.h"
#include "uparser/UniversalParser.h"
#include "uparser/VarCatList.h"
#include "uparser/VarSpecObj.h"
#include "uparser/VariableLocation.h"
#include "uparser/Version.h"

#endif
