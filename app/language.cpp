#include "app/language.h"

#include <QCoreApplication>
#include <QTranslator>
#include <iterator>

namespace lumira {
namespace {

constexpr LanguageInfo kLanguages[] = {
    {Language::Japanese, "ja", "日本語"},
    {Language::English, "en", "English"},
};
constexpr const char* kSettingsKey = "View/Language";
constexpr const char* kTranslatorName = "lumiraTranslation";

QTranslator* InstalledTranslator(const QCoreApplication& app) {
  return app.findChild<QTranslator*>(kTranslatorName, Qt::FindDirectChildrenOnly);
}

}  // namespace

const LanguageInfo* Languages(int* count) {
  *count = int(std::size(kLanguages));
  return kLanguages;
}

std::optional<Language> LanguageOfCode(const QString& code) {
  for (const LanguageInfo& info : kLanguages) {
    if (code == QLatin1String(info.code)) return info.language;
  }
  return std::nullopt;
}

const char* CodeOf(Language language) {
  for (const LanguageInfo& info : kLanguages) {
    if (info.language == language) return info.code;
  }
  return kLanguages[0].code;
}

bool InstallLanguage(QCoreApplication& app, Language language) {
  if (QTranslator* old = InstalledTranslator(app)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  if (language == Language::Japanese) return true;  // the texts' own language
  auto* translator = new QTranslator(&app);
  translator->setObjectName(kTranslatorName);
  if (!translator->load(QStringLiteral(":/i18n/lumira_%1.qm").arg(QLatin1String(CodeOf(language))))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

Language CurrentLanguage(const QCoreApplication& app) {
  const QTranslator* translator = InstalledTranslator(app);
  return translator ? LanguageOfCode(translator->language()).value_or(Language::Japanese) : Language::Japanese;
}

Language RememberedLanguage(QSettings& settings) {
  return LanguageOfCode(settings.value(kSettingsKey).toString()).value_or(Language::Japanese);
}

void RememberLanguage(QSettings& settings, Language language) { settings.setValue(kSettingsKey, CodeOf(language)); }

}  // namespace lumira
