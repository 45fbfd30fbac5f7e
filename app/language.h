// The application's language: Japanese, in which the pad and its
// resources are written, or English from the translation compiled into
// the pad module (":/i18n/lumira_en.qm").  The time-system labels on the
// bar (JST, UT, ...) are the same in both.
#pragma once

#include <QSettings>
#include <QString>
#include <optional>

class QCoreApplication;

namespace lumira {

enum class Language { Japanese, English };

struct LanguageInfo {
  Language language;
  const char* code;  // as --lang and the settings file write it
  const char* name;  // in its own language, for the View menu
};

// Every language, in the View menu's order.
const LanguageInfo* Languages(int* count);
std::optional<Language> LanguageOfCode(const QString& code);
const char* CodeOf(Language language);

// Puts `language` into effect for every text looked up from now on:
// installs its translator on `app` (which owns it), or removes the one
// installed before.  False when the translation cannot be loaded.
bool InstallLanguage(QCoreApplication& app, Language language);
// The language InstallLanguage last put into effect on `app`.
Language CurrentLanguage(const QCoreApplication& app);

// The language chosen in the View menu (Japanese until one is chosen).
Language RememberedLanguage(QSettings& settings);
void RememberLanguage(QSettings& settings, Language language);

}  // namespace lumira
