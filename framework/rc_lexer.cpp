#include "framework/rc_lexer.h"

#include <QStringList>

namespace {

bool IsNameStart(QChar c) { return c.isLetter() || c == u'_'; }
bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

QString LineError(int line, const QString& what) {
  return QStringLiteral("line %1: %2").arg(line).arg(what);
}

}  // namespace

bool TokenizeRc(const QString& s, std::vector<CRcToken>* out, QString* error) {
  out->clear();
  int line = 1;
  qsizetype i = 0;
  const qsizetype n = s.size();
  bool lineStart = true;
  auto fail = [&](const QString& what) {
    if (error) *error = LineError(line, what);
    return false;
  };
  while (i < n) {
    const QChar c = s[i];
    if (c == u'\n') { ++line; ++i; lineStart = true; continue; }
    if (c.isSpace()) { ++i; continue; }
    if (c == u'/' && i + 1 < n && s[i + 1] == u'/') {
      while (i < n && s[i] != u'\n') ++i;
      continue;
    }
    if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
      const int startLine = line;
      i += 2;
      while (i < n && !(s[i] == u'*' && i + 1 < n && s[i + 1] == u'/')) {
        if (s[i] == u'\n') ++line;
        ++i;
      }
      if (i >= n) { line = startLine; return fail(QStringLiteral("unterminated comment")); }
      i += 2;
      continue;
    }
    if (c == u'#' && lineStart) {
      qsizetype end = i;
      while (end < n && s[end] != u'\n') ++end;
      const QString directive = s.mid(i, end - i).simplified();
      if (directive.startsWith(QLatin1String("#define "))) {
        const QStringList parts = directive.split(u' ');
        if (parts.size() >= 3) {
          out->push_back({CRcToken::Name, QStringLiteral("#define"), 0, line});
          out->push_back({CRcToken::Name, parts[1], 0, line});
          bool ok = false;
          const long long v = parts[2].toLongLong(&ok, 0);
          if (!ok) return fail(QStringLiteral("#define %1 needs a number").arg(parts[1]));
          out->push_back({CRcToken::Number, parts[2], v, line});
        }
      }
      i = end;
      continue;
    }
    lineStart = false;
    CRcToken t;
    t.line = line;
    if (c == u'"') {
      // "" inside a text is one quote; \n, \t, \\ and \" as in C.
      ++i;
      QString text;
      bool closed = false;
      while (i < n) {
        const QChar d = s[i];
        if (d == u'"') {
          if (i + 1 < n && s[i + 1] == u'"') { text += u'"'; i += 2; continue; }
          ++i;
          closed = true;
          break;
        }
        if (d == u'\n') break;
        if (d == u'\\' && i + 1 < n) {
          const QChar e = s[i + 1];
          if (e == u'n') { text += u'\n'; i += 2; continue; }
          if (e == u't') { text += u'\t'; i += 2; continue; }
          if (e == u'\\') { text += u'\\'; i += 2; continue; }
          if (e == u'"') { text += u'"'; i += 2; continue; }
        }
        text += d;
        ++i;
      }
      if (!closed) return fail(QStringLiteral("unterminated text"));
      t.kind = CRcToken::Text;
      t.text = text;
    } else if (c.isDigit()) {
      qsizetype end = i;
      while (end < n && (s[end].isLetterOrNumber())) ++end;
      QString digits = s.mid(i, end - i);
      // A trailing L (long) is allowed, as the resource compiler does.
      if (digits.endsWith(u'L') || digits.endsWith(u'l')) digits.chop(1);
      // Hexadecimal after 0x, decimal otherwise (a leading 0 is not octal).
      bool ok = false;
      const bool hex = digits.startsWith(QLatin1String("0x")) || digits.startsWith(QLatin1String("0X"));
      const long long v = hex ? digits.mid(2).toLongLong(&ok, 16) : digits.toLongLong(&ok, 10);
      if (!ok || v > 0xFFFFFFFFLL) return fail(QStringLiteral("bad number \"%1\"").arg(s.mid(i, end - i)));
      t.kind = CRcToken::Number;
      t.number = v;
      t.text = digits;
      i = end;
    } else if (IsNameStart(c)) {
      qsizetype end = i;
      while (end < n && IsNameChar(s[end])) ++end;
      t.kind = CRcToken::Name;
      t.text = s.mid(i, end - i);
      i = end;
    } else {
      switch (c.unicode()) {
        case ',': t.kind = CRcToken::Comma; break;
        case '|': t.kind = CRcToken::Bar; break;
        case '-': t.kind = CRcToken::Minus; break;
        case '+': t.kind = CRcToken::Plus; break;
        case '(': t.kind = CRcToken::LParen; break;
        case ')': t.kind = CRcToken::RParen; break;
        case '{': t.kind = CRcToken::Name; break;
        case '}': t.kind = CRcToken::Name; break;
        default: t.kind = CRcToken::Other; break;
      }
      // Braces stand for BEGIN and END.
      if (c == u'{') t.text = QStringLiteral("BEGIN");
      else if (c == u'}') t.text = QStringLiteral("END");
      else t.text = QString(c);
      ++i;
    }
    out->push_back(t);
  }
  out->push_back({CRcToken::End, QString(), 0, line});
  return true;
}
