#include "app/window/control_factory.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "app/window/artwork.h"
#include "app/window/dialog_units.h"
#include "app/window/head_static.h"

namespace kitvane {
namespace {

QLabel* MakeText(const ControlSpec& spec, QWidget* parent, Qt::Alignment alignment) {
    // Plain text always: the output info line shows "<library name>", which is no markup.
    auto* label = new QLabel(QString::fromUtf8(spec.caption), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, bool readOnly) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(readOnly);
    return edit;
}

QPushButton* MakeButton(const ControlSpec& spec, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(spec.caption), parent);
    button->setDefault(spec.kind == ControlKind::DefaultButton);
    button->setHidden(spec.kind == ControlKind::HiddenButton);
    return button;
}

QListWidget* MakeList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);  // a run's log can grow long
    return list;
}

QComboBox* MakeDropDown(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(false);
    return box;
}

QProgressBar* MakeProgressBar(QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

QLabel* MakeBanner(QWidget* parent) {
    auto* banner = new QLabel(parent);
    banner->setPixmap(QPixmap::fromImage(BannerImage()));
    banner->setObjectName(QStringLiteral("banner"));
    return banner;
}

QRadioButton* MakeRadio(const ControlSpec& spec, QWidget* parent, QButtonGroup*& group) {
    auto* radio = new QRadioButton(QString::fromUtf8(spec.caption), parent);
    if (spec.kind == ControlKind::FirstRadio || group == nullptr) {
        group = new QButtonGroup(parent);
        group->setObjectName(ControlName(spec.id) + QStringLiteral("group"));
    }
    group->addButton(radio, static_cast<int>(group->buttons().size()));
    return radio;
}

QWidget* MakeControl(const ControlSpec& spec, QWidget* parent, QButtonGroup*& radioGroup) {
    switch (spec.kind) {
        case ControlKind::Heading: {
            auto* heading = new CHeadStatic(QString::fromUtf8(spec.caption), parent);
            heading->setAlignment(AlignmentOf(spec.headingStyle) | Qt::AlignVCenter);
            return heading;
        }
        case ControlKind::Text:
            return MakeText(spec, parent, Qt::AlignLeft);
        case ControlKind::CentredText:
            return MakeText(spec, parent, Qt::AlignHCenter);
        case ControlKind::Edit:
            return MakeEdit(parent, false);
        case ControlKind::ReadOnlyEdit:
            return MakeEdit(parent, true);
        case ControlKind::Button:
        case ControlKind::DefaultButton:
        case ControlKind::HiddenButton:
            return MakeButton(spec, parent);
        case ControlKind::FirstRadio:
        case ControlKind::Radio:
            return MakeRadio(spec, parent, radioGroup);
        case ControlKind::CheckBox:
            return new QCheckBox(QString::fromUtf8(spec.caption), parent);
        case ControlKind::ListBox:
            return MakeList(parent);
        case ControlKind::DropDown:
            return MakeDropDown(parent);
        case ControlKind::ProgressBar:
            return MakeProgressBar(parent);
        case ControlKind::Banner:
            return MakeBanner(parent);
        case ControlKind::Link:
            return MakeText(spec, parent, Qt::AlignLeft);
    }
    return nullptr;
}

// Where a control lies in pixels. The banner shows its picture at the picture's own size; a drop-down's
// rectangle includes its open list, so closed it is as tall as the platform draws it.
QRect PlacementOf(const ControlSpec& spec, QWidget* control, const DialogUnits& units) {
    QRect rect = units.ToPixels(spec.dialogUnits);
    switch (spec.kind) {
        case ControlKind::Banner:
            rect.setSize(QSize(kBannerWidth, kBannerHeight));
            break;
        case ControlKind::DropDown:
            rect.setHeight(std::min(rect.height(), control->sizeHint().height()));
            break;
        default:
            break;
    }
    return rect;
}

}  // namespace

QString ControlName(int id) {
    return QStringLiteral("control%1").arg(id);
}

std::vector<QWidget*> CreateMainWindowControls(QWidget* dialog, const DialogUnits& units) {
    std::vector<QWidget*> controls;
    QButtonGroup* radioGroup = nullptr;
    for (const ControlSpec& spec : MainWindowControls()) {
        QWidget* control = MakeControl(spec, dialog, radioGroup);
        if (spec.id != control::kNone)
            control->setObjectName(ControlName(spec.id));
        controls.push_back(control);
    }
    PlaceMainWindowControls(controls, units);
    return controls;
}

void PlaceMainWindowControls(const std::vector<QWidget*>& controls, const DialogUnits& units) {
    const auto specs = MainWindowControls();
    for (std::size_t i = 0; i < specs.size() && i < controls.size(); ++i) {
        controls[i]->setGeometry(PlacementOf(specs[i], controls[i], units));
    }
}

DialogUnits UnitsFittingCaptions(const std::vector<QWidget*>& controls, const DialogUnits& units) {
    const auto specs = MainWindowControls();
    int baseX = units.BaseX();
    for (std::size_t i = 0; i < specs.size() && i < controls.size(); ++i) {
        const ControlKind kind = specs[i].kind;
        const bool captioned = kind == ControlKind::Text || kind == ControlKind::CheckBox ||
                               kind == ControlKind::FirstRadio || kind == ControlKind::Radio;
        if (!captioned)
            continue;
        const int needed = controls[i]->sizeHint().width();
        // The smallest base for which the caption fits the rectangle's width in pixels.
        while (DialogUnits(baseX, units.BaseY()).ToPixels(specs[i].dialogUnits).width() < needed)
            ++baseX;
    }
    return {baseX, units.BaseY()};
}

}  // namespace kitvane
