#include "platform/gui/DocTemplate.h"

#include "platform/core/PathText.h"
#include "platform/core/RecentFileList.h"

CSingleDocTemplate::CSingleDocTemplate(DocumentFactory makeDocument, FrameFactory makeFrame,
                                       CRecentFileList& recent)
    : m_makeDocument(std::move(makeDocument)), m_makeFrame(std::move(makeFrame)), m_recent(recent)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    CloseAllDocuments();
}

bool CSingleDocTemplate::CreateDocumentAndFrame()
{
    if (m_document)
        return true;
    m_document = m_makeDocument();
    if (!m_document || !m_document->OnNewDocument()) {
        m_document.reset();
        return false;
    }
    m_frame = m_makeFrame(*m_document);
    if (!m_frame) {
        m_document.reset();
        return false;
    }
    return true;
}

bool CSingleDocTemplate::OpenDocumentFile(const QString& path, std::string& failure)
{
    if (!CreateDocumentAndFrame())
        return false;
    if (path.isEmpty())
        return true;
    if (!m_document->OnOpenDocument(EncodePath(path), failure))
        return false;
    m_recent.Add(m_document->GetPathName());
    if (QWidget* view = m_frame->centralWidget())
        view->update();
    return true;
}

void CSingleDocTemplate::CloseAllDocuments()
{
    m_frame.reset();
    m_document.reset();
}
