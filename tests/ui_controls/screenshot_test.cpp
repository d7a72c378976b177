// Renders every kind of control, with Latin and with Chinese captions, into
// PNG files under <build>/tests/screenshots/ for a person to look at.
#include "ui/controls/ckrq_chan.h"
#include "ui/controls/ckrq_combo.h"
#include "ui/controls/ckrq_edit.h"
#include "ui/controls/ckrq_list.h"
#include "ui/controls/ckrq_prog.h"
#include "ui/controls/ckrq_static.h"
#include "ui/controls/dialog_font.h"
#include "ui/controls/skinned_buttons.h"
#include "ui/controls/system_colors.h"
#include "widget_probe.h"

#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Captions {
    const char* language;
    QString button, check, radio, group, label, status, edit, combo_first, combo_second;
};

const Captions kLatin{"latin",           "Start Debug", "[M0]RotatRevers", "GA",      "Gimbal", "RollGain",
                      "Upload finished", "12.5",        "Product A",       "Gimbal B"};
const Captions kChinese{"chinese",  "开始调试", "[MTR0]旋转反向", "滚转",   "云台",
                        "滚转增益", "上传成功", "云台 12.5",      "产品一", "云台二"};

class Gallery {
public:
    explicit Gallery(const Captions& captions) : m_captions(captions)
    {
        m_window.setFont(DialogFont());
        m_layout = new QGridLayout(&m_window);
        Build();
    }

    QWidget& Window() { return m_window; }
    const std::vector<std::pair<QString, QWidget*>>& Controls() const { return m_controls; }

private:
    template <typename Control>
    Control* Add(const QString& name, Control* control, int row, int column, int span = 1)
    {
        m_layout->addWidget(control, row, column, 1, span);
        m_controls.emplace_back(name, control);
        return control;
    }

    void Build()
    {
        const Captions& c = m_captions;
        Add("button", new CKRQButton(c.button), 0, 0);
        Add("button_hover", new CKRQButton(c.button), 0, 1)->setAttribute(Qt::WA_UnderMouse);
        Add("button_pressed", new CKRQButton(c.button), 0, 2)->setDown(true);
        Add("button_disabled", new CKRQButton(c.button), 0, 3)->setEnabled(false);
        Add("check", new CKRQCheck(c.check), 1, 0);
        Add("check_checked", new CKRQCheck(c.check), 1, 1)->setChecked(true);
        auto* disabled_check = Add("check_disabled", new CKRQCheck(c.check), 1, 2);
        disabled_check->setChecked(true);
        disabled_check->setEnabled(false);
        Add("radio", new CKRQRadio(c.radio), 2, 0);
        Add("radio_checked", new CKRQRadio(c.radio), 2, 1)->setChecked(true);
        Add("radio_disabled", new CKRQRadio(c.radio), 2, 2)->setEnabled(false);
        auto* group = Add("group", new CKRQGroup(c.group), 3, 0, 2);
        group->setMinimumHeight(50);
        Add("label", new CKRQStatic(c.label), 3, 2);
        auto* status = Add("status_red", new CKRQStatic(), 3, 3);
        status->SetText(DrawnColors::kRed, c.status);
        auto* centred = Add("label_centred_sunken", new CKRQStatic(), 4, 0);
        centred->setAlignment(Qt::AlignHCenter);
        centred->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        centred->SetText(DrawnColors::kMagenta, c.label);
        auto* right = Add("label_right", new CKRQStatic(c.status), 4, 1);
        right->setAlignment(Qt::AlignRight);
        Add("edit", new CKRQEdit(), 4, 2)->setText(c.edit);
        auto* combo = Add("combo", new CKRQCombo(), 4, 3);
        combo->addItems({c.combo_first, c.combo_second});
        combo->SelectIndex(1);
        auto* prog = Add("prog", new CKRQProg(), 5, 0, 4);
        prog->setMinimumHeight(6);
        prog->SetPos(40, DrawnColors::kGreen);
        auto* chan = Add("chan", new CKRQChan(), 6, 0, 4);
        chan->setMinimumSize(726, 20);
        CKRQChan::Levels levels{};
        for (std::size_t channel = 0; channel < levels.size(); ++channel) {
            levels[channel] = static_cast<std::uint8_t>(channel * 100 / 15);
        }
        chan->SetLevels(levels);
        auto* list = Add("list", new CKRQList(), 7, 0, 2);
        list->setMinimumHeight(90);
        for (int row = 0; row < CKRQList::kRows; ++row) {
            for (int column = 0; column < CKRQList::kColumns; ++column) {
                list->SetItemText(row, column, QString::number(row * 1000 - column * 7));
            }
        }
    }

    Captions m_captions;
    QWidget m_window;
    QGridLayout* m_layout = nullptr;
    std::vector<std::pair<QString, QWidget*>> m_controls;
};

TEST(Screenshots, EveryControlKindInBothScripts)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/screenshots";
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const Captions* captions : {&kLatin, &kChinese}) {
        Gallery gallery(*captions);
        ShowExposed(gallery.Window());
        const QString prefix = folder + "/" + captions->language + "_";
        EXPECT_TRUE(gallery.Window().grab().save(prefix + "gallery.png"));
        for (const auto& [name, control] : gallery.Controls()) {
            const QPixmap shot = control->grab();
            EXPECT_FALSE(shot.isNull()) << name.toStdString();
            EXPECT_TRUE(shot.save(prefix + name + ".png")) << name.toStdString();
        }
    }
}

} // namespace
