// Tokens of a resource script: numbers, names, quoted texts and the
// punctuation the dialog and string-table statements use.
#pragma once

#include <QString>
#include <vector>

struct CRcToken {
  enum Kind { Number, Name, Text, Comma, Bar, Minus, Plus, LParen, RParen, Other, End };
  Kind kind = End;
  QString text;       // name, text contents or the character itself
  long long number = 0;
  int line = 0;
};

// Splits a script into tokens.  Comments (// and /* */) and preprocessor
// lines other than #define are skipped; #define NAME value is kept as the
// tokens "#define", NAME, value on their own line.  A malformed script is
// reported through `error` ("line N: ...").
bool TokenizeRc(const QString& script, std::vector<CRcToken>* tokens, QString* error);
