#include "ui/dialog/orvane_app.h"

#include "app/startup.h"
#include "app/window_usage.h"
#include "platform/settings_location.h"
#include "platform/ui_language.h"
#include "platform/window_display.h"
#include "resources/ui_texts.h"
#include "ui/dialog/dialog_prompts.h"
#include "ui/dialog/orvane_dlg.h"

#include <QApplication>
#include <QDirIterator>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Without a display the toolkit would abort with a message of its own;
// say plainly what to do instead. A platform plugin named in the
// environment (offscreen, for example) needs no display.
bool CanShowWindow()
{
    const char* plugin = std::getenv("QT_QPA_PLATFORM");
    return HasWindowDisplay() || (plugin != nullptr && *plugin != '\0');
}

// The toolkit's own texts (file dialogs, standard buttons) in Chinese when
// the program speaks Chinese and the translations are installed.
void LoadToolkitTranslation(QApplication& application, QTranslator& translator)
{
    if (GetUiLanguage() != kLanguageChinese)
        return;
    if (translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&translator);
}

// The program's icon, drawn once as SVG and built into the program in the
// sizes desktops ask for; every window takes it from the application.
QIcon ProgramIcon()
{
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons"), QDir::Files, QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

} // namespace

bool COrvaneApp::InitInstance(int& argc, char** argv)
{
    if (AsksForHelp(argc, argv)) {
        std::fputs(WindowUsage(ChooseSettingsPath(CurrentDirectory())).c_str(), stdout);
        return false;
    }
    const StartupInfo startup = PrepareStartup(CurrentDirectory(), ExecutablePath());
    m_settings_path = startup.settings_path;
    m_app_title = startup.app_title;
    if (!CanShowWindow()) {
        std::fprintf(stderr, "%s\n", LoadUiText(UiText::kNoDisplay).c_str());
        m_exit_status = 1;
        return false;
    }
    QApplication application(argc, argv);
    application.setWindowIcon(ProgramIcon());
    // Lets a Wayland desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVANE_APP_ID));
    QTranslator translator;
    LoadToolkitTranslation(application, translator);
    QtDialogPrompts prompts;
    auto dialog = std::make_unique<COrvaneDlg>(*this, prompts);
    dialog->DoModal();
    // The new instance starts while this one still holds the port; it opens
    // no port by itself, so the two never compete for it.
    if (m_restart_pending)
        LaunchProgram(ExecutablePath());
    dialog.reset();
    return false;
}
