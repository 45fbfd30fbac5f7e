// The English translation against the resources: no text the pad, its
// dialogs or its menus show in Japanese stays Japanese or goes empty, and every dialog text fits its
// control in both languages.
#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QTranslator>
#include <gtest/gtest.h>
#include <map>

#include "framework/resources.h"
#include "framework/template_builder.h"
#include "pad/lumirapad.h"
#include "pad/module.h"
#include "pad/time_systems.h"

namespace {

bool HasJapanese(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) {
    return (c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF) || (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF);
  });
}

// The width a control needs for its text: a radio button's indicator
// comes before it, a push button leaves a margin each side, a list its
// arrow after it.
int NeededWidth(const CControlTemplate& c, const QString& text, const QFont& font) {
  const QStyle* style = QApplication::style();
  int extra = 0;
  if (c.className == QLatin1String("ComboBox")) extra = 20;
  if (c.className == QLatin1String("Button")) {
    extra = (c.style & 0x0F) == BS_AUTORADIOBUTTON ? style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                                         style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing)
                                                   : 6;
  }
  return QFontMetrics(font).tightBoundingRect(text).right() + 1 + extra;  // to the last inked pixel
}

}  // namespace

TEST(English, EveryShownTextIsTranslatedAndFitsItsControl) {
  CResources res;
  QString error;
  ASSERT_TRUE(res.Load(QelpadResourcePrefix(), &error)) << error.toStdString();
  QTranslator english;
  ASSERT_TRUE(english.load(":/i18n/lumira_en.qm"));
  std::map<std::pair<int, int>, int> japaneseRoom;  // per dialog and control, from the first round
  for (bool inEnglish : {false, true}) {
    if (inEnglish) QCoreApplication::installTranslator(&english);
    QStringList shown;  // every text, checked for Japanese below
    for (UINT id = 0; id < 0x10000; ++id) {
      if (auto text = res.String(id)) shown << *text;
    }
    for (int dialogId : {6025, 6026}) {
      const CDialogTemplate& dlg = *res.Dialog(dialogId);
      const QFont font = TemplateFont(dlg);
      const CDialogUnits units = CDialogUnits::ForFont(dlg.fontName, dlg.fontPoints);
      for (const CControlTemplate& c : dlg.controls) {
        const QString text = ResourceText(c.text);
        if (HasJapanese(c.text)) shown << text;
        // Where a Japanese text already runs a pixel or two over (its
        // last glyph's blank side), the English one may as far.
        int& room = japaneseRoom[{dialogId, c.id}];
        if (!inEnglish) room = std::max(units.Map(c.x, c.y, c.cx, c.cy).Width(), NeededWidth(c, text, font));
        EXPECT_LE(NeededWidth(c, text, font), room) << dialogId << " control " << c.id << " \"" << text.toStdString() << "\"";
      }
      if (dialogId != 6025) continue;
      const CControlTemplate& list = *std::find_if(dlg.controls.begin(), dlg.controls.end(),
                                                   [](const CControlTemplate& c) { return c.id == 6029; });
      for (int i = 0; i < timesys::kDialogEntries; ++i) {
        const QString name = Name(*timesys::AtDialog(i), timesys::NameUse::List);
        EXPECT_LE(NeededWidth(list, name, font), units.Map(list.x, list.y, list.cx, list.cy).Width())
            << name.toStdString();
      }
    }
    for (int i = 0; i < timesys::kMenuEntries; ++i) shown << Name(*timesys::AtMenu(i));
    shown << CLumiraPad::WidestSpeedText();
    for (const QString& text : shown) {
      EXPECT_EQ(HasJapanese(text) || text.isEmpty(), !inEnglish) << text.toStdString();
    }
  }
  QCoreApplication::removeTranslator(&english);
}
