#include "app/PeloraApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "document/ChargeFollower.h"
#include "platform/core/Clock.h"
#include "platform/core/MessageSink.h"
#include "document/PeloraDoc.h"
#include "platform/gui/DocTemplate.h"
#include "platform/core/PathText.h"
#include "view/PeloraView.h"
#include "res/Resource.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>

CPeloraApp::CPeloraApp(Environment environment)
    : m_environment(environment), m_settings(environment.profile),
      m_recentFiles(CSettings::kRecentFileCount,
                    [this](int index) { return m_settings.RecentFile(index); },
                    [this](int index, const std::string& path) { m_settings.SetRecentFile(index, path); })
{
}

CPeloraApp::~CPeloraApp() = default;

bool CPeloraApp::InitInstance(const QString& commandLineFile)
{
    if (!m_instanceLock.Acquire(QString::fromUtf8(kInstanceName), m_environment.lockFolder)) {
        m_anotherInstance = true;
        m_handedOver = HandToRunningInstance(commandLineFile);
        return false;
    }
    m_channel.Listen(ChannelPath());
    m_frontTimer.setSingleShot(true);
    m_frontTimer.setInterval(kFrontInterval);
    QObject::connect(&m_frontTimer, &QTimer::timeout, [this] { ComeToFront(); });
    QObject::connect(&m_channel, &CInstanceChannel::received, [this](const QByteArray& message) {
        OnInstanceMessage(message);
    });

    m_recentFiles.ReadList();
    // The print preview's page count: no preview here, but the stored value is read and written
    // back, so a settings file shared with a program that has one keeps it.
    m_previewPages = m_settings.PreviewPages();
    m_template = std::make_unique<CSingleDocTemplate>(
        [this] { return std::make_unique<CPeloraDoc>(m_environment.profile, m_environment.clock); },
        [this](CDocument& document) -> std::unique_ptr<QMainWindow> {
            auto& doc = static_cast<CPeloraDoc&>(document);
            m_follower = std::make_unique<CChargeFollower>(doc, [this] { return m_environment.clock.Now(); });
            FrameServices services{m_settings, m_environment.messages,
                                   [this](int id) { OnAppCommand(id); },
                                   [this](const QString& path) { OpenDocumentFile(path); }};
            return std::make_unique<CMainFrame>(doc, *m_follower, services);
        },
        m_recentFiles);
    // File-new builds the document from the settings; a named file is opened after that, before
    // the frame is shown, so a start that fails shows only its message. Either is read while the
    // window is up.
    std::string failure;
    if (!m_template->OpenDocumentFile(QString(), failure))
        return false;
    if (!commandLineFile.isEmpty()) {
        if (!OpenDocumentFile(commandLineFile))
            return false;
    } else if (GetDocument()->GetLogPath() != CSettings::kNoLogPath) {
        m_follower->Load(CPeloraDoc::LoadKind::Whole);
    }
    GetMainFrame()->show();
    return true;
}

QString CPeloraApp::ChannelPath() const
{
    return QDir(m_environment.lockFolder).filePath(QString::fromUtf8(kInstanceName) + QStringLiteral(".socket"));
}

// A second start hands its file (as an absolute path, in the system's bytes) to the running
// instance, or just asks it to come to the front, and touches nothing else.
bool CPeloraApp::HandToRunningInstance(const QString& commandLineFile)
{
    QByteArray message = kFrontMessage;
    if (!commandLineFile.isEmpty()) {
        std::error_code error;
        const std::filesystem::path full = std::filesystem::absolute(EncodePath(commandLineFile), error);
        message = kOpenMessage + QByteArray::fromStdString(error ? EncodePath(commandLineFile) : full.string());
    }
    return CInstanceChannel::Send(ChannelPath(), message);
}

void CPeloraApp::OnInstanceMessage(const QByteArray& message)
{
    if (message.startsWith(kOpenMessage))
        OpenDocumentFile(DecodePath(message.mid(kOpenMessage.size()).toStdString()));
    // To the front a moment later, once for however many starts came meanwhile: a flood of them
    // never keeps the window manager busy.
    if (!m_frontTimer.isActive())
        m_frontTimer.start();
}

void CPeloraApp::ComeToFront()
{
    if (CMainFrame* frame = GetMainFrame()) {
        if (frame->isMinimized())
            frame->showNormal();
        frame->raise();
        frame->activateWindow();
    }
}

void CPeloraApp::CloseAllDocuments()
{
    // Nothing is loaded into the document once it is closing; a load under way stops here.
    m_follower.reset();
    if (m_template)
        m_template->CloseAllDocuments();
}

int CPeloraApp::ExitInstance()
{
    CloseAllDocuments();
    m_instanceLock.Release();
    if (m_template) {
        m_recentFiles.WriteList();
        if (m_previewPages != 0)
            m_settings.SetPreviewPages(m_previewPages);
    }
    return 0;
}

bool CPeloraApp::OpenDocumentFile(const QString& path)
{
    if (!m_template)
        return false;
    std::string failure;
    if (!m_template->OpenDocumentFile(path, failure)) {
        if (!failure.empty())
            m_environment.messages.ShowMessage(failure);
        return false;
    }
    m_recentFiles.WriteList();
    // The file the document now names is read away from the window, and followed from now on.
    m_follower->Load(CPeloraDoc::LoadKind::Whole);
    if (CMainFrame* frame = GetMainFrame())
        frame->ShowIdleMessage();
    return true;
}

void CPeloraApp::OnAppCommand(int id)
{
    if (id == ID_APP_ABOUT)
        OnAppAbout();
    else if (id == ID_FILE_OPEN)
        OnFileOpen();
}

void CPeloraApp::OnAppAbout()
{
    CAboutDlg dialog(GetMainFrame());
    dialog.exec();
}

void CPeloraApp::OnFileOpen()
{
#ifdef _WIN32
    const QString filter = QString::fromUtf8(kAllFilesFilter);
#else
    // "*.*" hides names without a dot outside Windows; the caption stays the same.
    const QString filter = QStringLiteral("すべてのﾌｧｲﾙ (*)");
#endif
    // Starts in the folder of the file shown now, where the next one most likely lies.
    const CPeloraDoc* doc = GetDocument();
    const QString folder = doc && doc->HasChargeFile() ? QFileInfo(DecodePath(doc->GetLogPath())).absolutePath() : QString();
    const QString path = QFileDialog::getOpenFileName(GetMainFrame(), QString(), folder, filter);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

CMainFrame* CPeloraApp::GetMainFrame() const
{
    return m_template ? static_cast<CMainFrame*>(m_template->GetFrame()) : nullptr;
}

CPeloraDoc* CPeloraApp::GetDocument() const
{
    return m_template ? static_cast<CPeloraDoc*>(m_template->GetDocument()) : nullptr;
}
