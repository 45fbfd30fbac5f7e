// The reply forms of the command language.
#pragma once

#include <string>

#include "sky/instant.h"

namespace sky {

// The shortest fixed-point decimal that reads back as the same double
// ("2451545", "6.5", "0.0000001"): never an exponent, which a reader of
// plain decimals would cut off; -0 is written as "0".
void AppendNumber(std::string& reply, double value);

// "TRUE" or "FALSE", always upper case.
void AppendTruth(std::string& reply, bool value);

// "LABEL ADy/mm/dd hh:mm:ss" or "LABEL BCy/mm/dd hh:mm:ss", where a BC
// year is 1 minus the astronomical year ("UT BC100/03/01 00:00:00").
void AppendDate(std::string& reply, const char* label, const CivilTime& time);

}  // namespace sky
