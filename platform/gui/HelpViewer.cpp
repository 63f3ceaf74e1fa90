#include "platform/gui/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>

CHelpViewer::~CHelpViewer()
{
    delete m_window;
}

QString CHelpViewer::DefaultHelpFile()
{
    return HelpFileFor(QCoreApplication::applicationFilePath());
}

// Beside the program (a build), else in the documents folder of the tree it was installed into
// (bin/../share/doc/<program>/, where Debian keeps a package's documents), else in the system's.
QString CHelpViewer::HelpFileFor(const QString& programPath)
{
    const QFileInfo program(programPath);
    const QString name = program.completeBaseName() + QStringLiteral(".html");
    const QString beside = program.dir().filePath(name);
    if (QFile::exists(beside))
        return beside;
    const QString documents = QStringLiteral("doc/%1/%2").arg(program.completeBaseName(), name);
    const QString tree = program.dir().filePath(QStringLiteral("../share/") + documents);
    if (QFile::exists(tree))
        return QFileInfo(tree).canonicalFilePath();
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation, documents);
    return installed.isEmpty() ? beside : installed;
}

bool CHelpViewer::IsOpen() const
{
    return m_window && m_window->isVisible();
}

namespace {
// A window of its own, closed with Esc like the program's dialogs.
class CEscapeCloses : public QObject {
public:
    explicit CEscapeCloses(QWidget* window) : QObject(window) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            static_cast<QWidget*>(watched)->close();
            return true;
        }
        return false;
    }
};
} // namespace

bool CHelpViewer::WinHelp(int context, int command)
{
    if (command == HELP_QUIT) {
        if (m_window)
            m_window->close();
        return true;
    }
    QFile file(m_helpFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (!m_window) {
        m_window = new QTextBrowser;
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
        m_window->setWindowTitle(m_title);
        m_window->setOpenExternalLinks(true);
        m_window->resize(520, 560);
        m_window->installEventFilter(new CEscapeCloses(m_window));
    }
    m_window->setSource(QUrl::fromLocalFile(m_helpFile));
    m_anchor = command == HELP_CONTEXT ? QStringLiteral("topic%1").arg(context) : QString();
    if (!m_anchor.isEmpty())
        m_window->scrollToAnchor(m_anchor);
    m_window->show();
    m_window->raise();
    return true;
}
