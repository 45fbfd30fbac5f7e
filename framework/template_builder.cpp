#include "framework/template_builder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace {

constexpr std::uint32_t kButtonTypeMask = 0x0F;
constexpr std::uint32_t kStaticTypeMask = 0x1F;

bool IsRadio(std::uint32_t style) {
  const std::uint32_t t = style & kButtonTypeMask;
  return t == BS_AUTORADIOBUTTON || t == 0x4;
}

void ApplyCommonState(QWidget* w, std::uint32_t style) {
  if (style & WS_DISABLED) w->setEnabled(false);
  w->setVisible((style & WS_VISIBLE) != 0);
}

std::unique_ptr<CWnd> MakeCustom(std::unique_ptr<CWnd> wnd, CWnd* parent, const CControlTemplate& c,
                                 const CRect& r, bool mouseThrough) {
  wnd->CreateEx(parent->Context(), parent, r, UINT(c.id));
  wnd->SetStyle(c.style);
  wnd->SetWindowText(ResourceText(c.text));
  if (mouseThrough) wnd->Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
  ApplyCommonState(wnd->Widget(), c.style);
  return wnd;
}

}  // namespace

QFont TemplateFont(const CDialogTemplate& t) {
  QFont font(t.fontName.isEmpty() ? QStringLiteral("IPAPGothic") : t.fontName);
  font.setPixelSize(std::max(1, (t.fontPoints * 96 + 36) / 72));
  return font;
}

void BuildTemplateControls(CWnd* parent, const CDialogTemplate& t, const CDialogUnits& units,
                           const CTemplateBuildOptions& options, std::vector<std::unique_ptr<CWnd>>& out) {
  QButtonGroup* group = nullptr;
  for (const CControlTemplate& c : t.controls) {
    const CRect r = units.Map(c.x, c.y, c.cx, c.cy);
    if (c.style & WS_GROUP) group = nullptr;  // a group ends where the next one starts
    if (c.className == QLatin1String("Static")) {
      auto wnd = MakeCustom(std::make_unique<CStatic>(), parent, c, r, options.mouseThroughToParent);
      if ((c.style & kStaticTypeMask) == SS_BITMAP && parent->ContextPtr() && parent->Context().resources) {
        const QString name = c.text.startsWith(u'#') ? c.text.mid(1) : c.text;
        const QImage image = parent->Context().resources->Bitmap(name);
        if (!image.isNull()) wnd->MoveWindow(r.left, r.top, image.width(), image.height(), FALSE);  // sizes itself to its picture
      }
      out.push_back(std::move(wnd));
    } else if (c.className == QLatin1String("Button")) {
      const std::uint32_t type = c.style & kButtonTypeMask;
      if (type == BS_OWNERDRAW && options.ownerDrawnAsCustom) {
        out.push_back(MakeCustom(std::make_unique<CWnd>(), parent, c, r, options.mouseThroughToParent));
        continue;
      }
      auto button = std::make_unique<CButton>();
      button->Create(ResourceText(c.text), c.style, r, parent, UINT(c.id));
      if (IsRadio(c.style)) {
        auto* qb = qobject_cast<QAbstractButton*>(button->Widget());
        qb->setCheckable(true);
        if (!group) group = new QButtonGroup(parent->Widget());
        group->addButton(qb);
      }
      out.push_back(std::move(button));
    } else if (c.className == QLatin1String("Edit")) {
      auto* edit = new QLineEdit(parent->Widget());
      edit->setGeometry(r.left + parent->ClientInset(), r.top + parent->ClientInset(), r.Width(), r.Height());
      const std::uint32_t align = c.style & 0x3;
      edit->setAlignment((align == ES_RIGHT ? Qt::AlignRight : align == 0x1 ? Qt::AlignHCenter : Qt::AlignLeft) |
                         Qt::AlignVCenter);
      if (c.style & 0x0800) edit->setReadOnly(true);  // ES_READONLY
      edit->setText(c.text);
      auto wnd = std::make_unique<CEdit>();
      wnd->AttachWidget(parent->ContextPtr(), edit, parent, UINT(c.id));
      wnd->SetStyle(c.style);
      ApplyCommonState(edit, c.style);
      out.push_back(std::move(wnd));
    } else if (c.className == QLatin1String("ComboBox")) {
      auto* combo = new QComboBox(parent->Widget());
      combo->setEditable((c.style & 0x3) != CBS_DROPDOWNLIST);
      // The template's height includes the drop-down list.
      const int height = std::min(r.Height(), combo->sizeHint().height());
      combo->setGeometry(r.left + parent->ClientInset(), r.top + parent->ClientInset(), r.Width(), height);
      QObject::connect(combo, &QComboBox::activated, combo, [combo](int) {
        CWnd* self = CWnd::FromWidget(combo);
        CWnd* owner = self ? self->GetParent() : nullptr;
        if (!owner) return;
        owner->DispatchMessage(WM_COMMAND, MAKEWPARAM(self->GetDlgCtrlID(), CBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(self));
      });
      auto wnd = std::make_unique<CComboBox>();
      wnd->AttachWidget(parent->ContextPtr(), combo, parent, UINT(c.id));
      wnd->SetStyle(c.style);
      ApplyCommonState(combo, c.style);
      out.push_back(std::move(wnd));
    } else {
      // Classes the layer does not know show as an empty custom window.
      out.push_back(MakeCustom(std::make_unique<CWnd>(), parent, c, r, options.mouseThroughToParent));
    }
  }
}
