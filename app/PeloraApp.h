#pragma once
// The application: runs once per settings file (a second start hands its file to the running
// instance), keeps the settings, and creates the single-document template that ties the
// document, the main frame and the view together, and the follower that loads the document
// (at start, on an open, a drop or a hand-over, on the view's commands, and as the file changes).
// Start: InitInstance; then the message loop; then CloseAllDocuments and ExitInstance.

#include "settings/Settings.h"
#include "platform/gui/InstanceChannel.h"
#include "platform/core/InstanceLock.h"
#include "platform/core/RecentFileList.h"

#include <QString>
#include <QTimer>
#include <memory>

class CChargeFollower;
class CMainFrame;
class CPeloraDoc;
class CSingleDocTemplate;
class IClock;
class IMessageSink;

class CPeloraApp {
public:
    struct Environment {
        IProfileStore& profile;
        const IClock& clock;
        IMessageSink& messages;
        QString lockFolder; // where the single-instance lock lives (empty: the user's runtime folder)
    };

    explicit CPeloraApp(Environment environment);
    ~CPeloraApp();

    // False when another instance runs or the first document could not be opened.
    bool InitInstance(const QString& commandLineFile);
    // After a false InitInstance: whether that was because another instance runs, and whether it
    // took the hand-over (it may not answer: its socket removed, or it runs on another host that
    // shares the home folder and so the lock).
    bool AnotherInstanceRuns() const { return m_anotherInstance; }
    bool HandedOver() const { return m_handedOver; }
    QString ChannelPath() const;
    int ExitInstance();
    void CloseAllDocuments();

    bool OpenDocumentFile(const QString& path);
    void OnAppCommand(int id);
    void OnAppAbout();
    void OnFileOpen();

    CMainFrame* GetMainFrame() const;
    CPeloraDoc* GetDocument() const;
    CSettings& Settings() { return m_settings; }

private:
    // The messages a second start sends: a file to open, or only "come to the front".
    static inline const QByteArray kOpenMessage = QByteArrayLiteral("open\n");
    static inline const QByteArray kFrontMessage = QByteArrayLiteral("front\n");

    static constexpr int kFrontInterval = 250; // ms: the window comes to the front at most this often
    bool HandToRunningInstance(const QString& commandLineFile);
    void OnInstanceMessage(const QByteArray& message);
    void ComeToFront();

    Environment m_environment;
    CInstanceLock m_instanceLock;
    CInstanceChannel m_channel;
    QTimer m_frontTimer;
    CSettings m_settings;
    CRecentFileList m_recentFiles;
    std::unique_ptr<CSingleDocTemplate> m_template;
    std::unique_ptr<CChargeFollower> m_follower; // every load of the document, made with the frame
    std::int32_t m_previewPages = 0;
    bool m_anotherInstance = false;
    bool m_handedOver = false;
};
