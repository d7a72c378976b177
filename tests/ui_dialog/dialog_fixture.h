#pragma once

#include "app/startup.h"
#include "libs/iap/firmware_file.h"
#include "platform/ui_language.h"
#include "resources/message_table.h"
#include "support/scratch_folder.h"
#include "support/sim_process.h"
#include "ui/controls/ckrq_combo.h"
#include "ui/controls/ckrq_static.h"
#include "ui/controls/window_text.h"
#include "ui/dialog/dialog_prompts.h"
#include "ui/dialog/orvane_app.h"
#include "ui/dialog/orvane_dlg.h"

#include <QAbstractButton>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Answers the window's questions the way a test tells it to, and keeps
// what was asked.
class ScriptedPrompts : public DialogPrompts {
public:
    bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) override
    {
        m_owners.push_back(owner);
        m_questions.push_back(text);
        m_captions.push_back(caption);
        return m_answer_yes;
    }
    QString ChooseFileToOpen(QWidget* owner, const FileChoice& choice) override
    {
        return Take(owner, choice);
    }
    QString ChooseFileToSave(QWidget* owner, const FileChoice& choice) override
    {
        return Take(owner, choice);
    }
    std::optional<std::vector<std::string>> ChooseDifferences(QWidget* owner,
                                                              const ComparisonChoice& choice) override
    {
        m_owners.push_back(owner);
        m_comparisons.push_back(choice);
        if (m_cancel_comparisons)
            return std::nullopt;
        if (m_keys_to_take)
            return m_keys_to_take;
        std::vector<std::string> every_key; // as the dialog offers them: all ticked
        for (const ParamDifference& difference : choice.differences)
            every_key.push_back(difference.key);
        return every_key;
    }
    void OfferAction(QWidget* owner, const QString& text, const QString&,
                     std::function<void()> accepted) override
    {
        m_owners.push_back(owner);
        m_offers.push_back({text, std::move(accepted)});
    }

    bool m_answer_yes = false;
    std::deque<QString> m_files; // the next file choices; "" cancels
    std::vector<QString> m_questions;
    std::vector<QString> m_captions;
    std::vector<FileChoice> m_file_choices;
    bool m_cancel_comparisons = false;
    std::optional<std::vector<std::string>> m_keys_to_take; // unset: every difference
    std::vector<ComparisonChoice> m_comparisons;
    struct Offer {
        QString text;
        std::function<void()> take;
    };
    std::vector<Offer> m_offers;
    std::vector<QWidget*> m_owners; // the owner of each question, in order

private:
    QString Take(QWidget* owner, const FileChoice& choice)
    {
        m_owners.push_back(owner);
        m_file_choices.push_back(choice);
        if (m_files.empty())
            return QString();
        QString file = m_files.front();
        m_files.pop_front();
        return file;
    }
};

// What the user does to a box: choose an item from its list.
inline void ChooseItem(CKRQCombo& box, int index)
{
    box.setCurrentIndex(index);
    emit box.activated(index);
}

// A firmware file for `board` with a made-up image of `size` bytes.
inline std::string WriteFirmwareFile(const ScratchFolder& folder, uint32_t board, uint8_t version,
                                     size_t size = 6000)
{
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 7);
    const std::vector<uint8_t> bytes = BuildFirmwareFile(image, board, version);
    const std::string path = folder.File("v" + std::to_string(version) + ".cahf");
    WriteWholeFile(path, std::string(bytes.begin(), bytes.end()));
    return path;
}

// Deadlines only bound a test that would otherwise hang.
inline constexpr std::chrono::seconds kPatience{15};

// Runs the window's event loop until `done` holds or `limit` passes.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kPatience)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QTest::qWait(5);
    }
    return true;
}

// A window against a simulated gimbal: a scratch folder holds the settings
// file and is the runtime folder where the simulator publishes its port, so
// the port box lists exactly that simulator.
class DialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("XDG_RUNTIME_DIR", m_folder.Path().c_str(), 1);
        setenv("XDG_DATA_HOME", m_folder.Path().c_str(), 1);
        m_app.m_settings_path = m_folder.File("Setting.ini");
        m_app.m_app_title = "orvane";
        SetUiLanguage(kLanguageEnglish);
    }
    void TearDown() override
    {
        m_dialog.reset();
        m_sim.reset();
        SetUiLanguage(kLanguageEnglish);
    }

    SimProcess& StartSim(std::vector<std::string> options = {})
    {
        const std::vector<std::string> fast{"--period", "2", "--cal-seconds", "0.1", "--seed", "7"};
        options.insert(options.begin(), fast.begin(), fast.end());
        m_sim = std::make_unique<SimProcess>(m_folder.Path(), options);
        return *m_sim;
    }

    // The window as start-up opens it (without the modal loop).
    COrvaneDlg& OpenDialog(const std::string& settings = "[Setting]\nSENDPRD=5\n")
    {
        WriteWholeFile(m_app.m_settings_path, settings);
        m_dialog = std::make_unique<COrvaneDlg>(m_app, m_prompts);
        m_dialog->OnInitDialog();
        m_dialog->show();
        return *m_dialog;
    }

    template <class Control = QWidget> Control* Find(int id) const
    {
        return qobject_cast<Control*>(m_dialog->Control(id));
    }

    QString Text(int id) const { return WindowText(m_dialog->Control(id)); }
    static QString Message(int id) { return QString::fromStdString(LoadMessage(id)); }
    QString Status() const { return Text(1068); }
    QColor StatusColour() const { return Find<CKRQStatic>(1068)->TextColor(); }

    void Click(int id) { Find<QAbstractButton>(id)->click(); }

    // "Start Debug" and the download every connection begins with.
    void Connect()
    {
        auto* ports = qobject_cast<CKRQCombo*>(m_dialog->Control(1001));
        ports->SelectIndex(ports->findText(QString::fromStdString(m_sim->Name())));
        ASSERT_GE(ports->currentIndex(), 0) << "the simulator's port is listed";
        Click(1002);
        ASSERT_EQ(Text(1002), Message(199)) << Status().toStdString();
        ASSERT_TRUE(WaitUntil([&] { return Status() == Message(142); })) << Status().toStdString();
    }

    ScratchFolder m_folder{"window"};
    COrvaneApp m_app;
    ScriptedPrompts m_prompts;
    std::unique_ptr<SimProcess> m_sim;
    std::unique_ptr<COrvaneDlg> m_dialog;
};
