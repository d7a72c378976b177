#pragma once

#include "app/app_settings.h"
#include "app/tick_divider.h"
#include "features/compare/qt/window_comparison.h"
#include "features/expert_view/qt/expert_view.h"
#include "features/reconnect/qt/window_reconnect.h"
#include "features/record_replay/qt/window_record_replay.h"
#include "features/window_menu/qt/window_menu.h"
#include "libs/iap/brevon_iap_lib_exp.h"
#include "libs/view3d_qt/krq_show3d_lib_exp.h"
#include "link/gimbal_link.h"
#include "link/link_status.h"
#include "resources/message_ids.h"
#include "resources/ui_texts.h"
#include "ui/controls/control_map.h"
#include "ui/dialog/dialog_param_panel.h"
#include "ui/views/status_tool_tips.h"
#include "ui/views/telemetry_display.h"

#include <QDialog>
#include <QPointer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CKRQButton;
class CKRQChan;
class CKRQCheck;
class CKRQCombo;
class CKRQEdit;
class CKRQGroup;
class CKRQList;
class CKRQProg;
class CKRQRadio;
class CKRQStatic;
class COrvaneApp;
class QAction;
class DialogPrompts;
struct TemplateControl;

// The program's one window. It owns every long-lived object (the link, the
// settings, the controls, the two libraries), routes every control to its
// handler through one message map, and ties the periodic work to one 10 ms
// timer. The link's threads reach it only through posted events.
class COrvaneDlg : public QDialog,
                   private ProtocolView,
                   private ConfirmQuestion,
                   private LinkObserver,
                   private IapEventSink {
    Q_OBJECT
public:
    COrvaneDlg(COrvaneApp& app, DialogPrompts& prompts);
    ~COrvaneDlg() override;

    // Initialises the window, then runs it modally until it closes.
    int DoModal();
    // Builds the controls, reads the settings, starts the timer and the
    // sender, and cuts the window to its visible area.
    bool OnInitDialog();

    // The control with a template id, for tests and assistive tools.
    QWidget* Control(int id) const { return m_controls.Find(id); }
    GimbalLink& Link() { return m_link; }
    const LinkStatus& LinkState() const { return m_link_status; }
    const PortReconnect& Reconnect() const { return m_reconnect.Logic(); }
    const AppSettings& Settings() const { return m_app_settings; }
    const StatusToolTips& ToolTips() const { return m_tooltip; }
    // The entry of the window's menu with `caption`, or nullptr.
    QAction* MenuAction(UiText caption) const { return m_menu.Action(caption); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    struct MessageMapEntry;
    static const std::vector<MessageMapEntry>& MessageMap();

    // Lifecycle.
    void AttachControlWrappers();
    QWidget* CreateWrapped(const TemplateControl& control);
    void ConnectMessageMap();
    void DescribeForAssistiveTools();
    void CutToVisibleArea();
    void OnTimer();
    void OnDestroy();
    bool PreTranslateKey(QKeyEvent* key);

    // Settings.
    void LoadAppSettings();
    void SaveAppSettings();

    // The port box.
    void ListSerialPorts(int index);
    std::string GetSelectedPortDevice() const;
    // Relists the ports and selects `device`, whatever its name and place.
    void SelectPortDevice(const std::string& device);
    void OnPortDropDown();
    void OnPortSelChange();
    void OnLanguageSelected();

    // The link.
    void OnStartStopDebug();
    void OnSerialEvent();
    bool IsLinkButtonShowing(MessageId caption) const;

    // Commands and transfers.
    void OnCommandButton(int control);
    void OnUploadParam();
    void OnDownloadParam();
    void DisableTransferButtons();

    // The parameter panel and its files.
    void InitParamEditLimits();
    void FillProductTypeCombo(const std::string& list);
    void FillGimbalTypeCombo(const std::string& list);
    void FillCameraTypeCombo(const std::string& list);
    void FillRangerTypeCombo(const std::string& list);
    void FillTypeCombo(ControlId control, const std::string& list);
    // The panel's record and the panel both become `params`.
    void ShowParams(const GimbalParams& params);
    // The record into the panel, and the panel into the record.
    void UpdatePanelFromParams();
    void UpdateParamsFromPanel();
    void OnOpenParam();
    void ShowValuesThePanelRefused(const GimbalParams& params);
    void OnSaveParam();

    // The firmware upgrade.
    void OnOpenFirmware();
    void OnUpgradeFirmware();
    void StartUpgrade();
    void OnIapEvent(const IapEvent& event);

    // Status line and captions.
    void ShowStatusText(const QColor& colour, const QString& text);
    void SetCaption(ControlId control, MessageId message);
    void EnableControl(ControlId control, bool enabled);

    // ProtocolView.
    void ShowStatus(int message_id, Rgb colour) override;
    void ClearStatus() override;
    void RefreshTelemetry(TelemetryRefresh mode) override;
    void OnDownloadFinished(const GimbalParams& params) override;
    void EnableTransferButtons(bool enabled) override;
    // ConfirmQuestion.
    bool Confirm(int message_id) override;
    // LinkObserver.
    void OnFrameDecoded(const ProtocolFrame& frame) override;
    void OnLinkLost() override;
    // IapEventSink, on the upgrade's thread.
    void PostIapEvent(const IapEvent& event) override;

    // Members are destroyed in the reverse order: the upgrade first, the
    // controls before the 3D view, the link (port and threads) last.
    COrvaneApp& m_app;
    DialogPrompts& m_prompts;
    ControlMap m_controls;
    StatusToolTips m_tooltip;
    GimbalLink m_link;
    KRQShow3DLibExp m_view3d;

    // The wrappers the attachment rule created, one list per class.
    std::vector<std::unique_ptr<CKRQChan>> m_chans;
    std::vector<std::unique_ptr<CKRQEdit>> m_edits;
    std::vector<std::unique_ptr<CKRQProg>> m_progs;
    std::vector<std::unique_ptr<CKRQList>> m_lists;
    std::vector<std::unique_ptr<CKRQRadio>> m_radios;
    std::vector<std::unique_ptr<CKRQCombo>> m_combos;
    std::vector<std::unique_ptr<CKRQGroup>> m_groups;
    std::vector<std::unique_ptr<CKRQCheck>> m_checks;
    std::vector<std::unique_ptr<CKRQStatic>> m_statics;
    std::vector<std::unique_ptr<CKRQButton>> m_buttons;

    AppSettings m_app_settings;
    // What the panel shows, with the fields it has no control for. The
    // link keeps its own copy, of what the gimbal last gave or took.
    GimbalParams m_params{};
    std::string m_param_file_name;
    DialogParamPanel m_panel{m_controls};
    TelemetryDisplay m_telemetry_display{m_controls};
    // The link's state for the features below, kept in step with the link
    // button's caption by the handlers.
    LinkStatus m_link_status;
    WindowReconnect m_reconnect;
    WindowComparison m_comparison;
    WindowRecordReplay m_record_replay;
    ExpertView m_expert_view;
    WindowMenu m_menu;
    int m_timer_id = 0;
    TickDivider m_view_update_ticks{5}; // the 3D view: every fifth tick, 20 times a second
    bool m_destroyed = false;
    CBrevonIAPLibExp m_iap;
    std::string m_firmware_path;

    QWidget* m_page = nullptr; // holds every control; owned by the window
};
