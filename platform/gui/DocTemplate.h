#pragma once
// The single-document template: one document, one frame with its view, created together and kept
// until exit; opening another file reuses the document.

#include "platform/core/Document.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

class CRecentFileList;

class CSingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<QMainWindow>(CDocument&)>;

    CSingleDocTemplate(DocumentFactory makeDocument, FrameFactory makeFrame, CRecentFileList& recent);
    ~CSingleDocTemplate();

    // Without a path: file-new. With one: the document (created first if need be) opens the file.
    // False when the document or frame could not be created or the file could not be opened or
    // was refused (what the user must be told in failure); a failed open leaves the document and
    // the recent-file list as they were. The frame is created hidden: the application shows it
    // once the start has succeeded.
    bool OpenDocumentFile(const QString& path, std::string& failure);
    // The frame first (its view with it), then the document.
    void CloseAllDocuments();

    CDocument* GetDocument() const { return m_document.get(); }
    QMainWindow* GetFrame() const { return m_frame.get(); }

private:
    bool CreateDocumentAndFrame();

    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    CRecentFileList& m_recent;
    std::unique_ptr<CDocument> m_document;
    std::unique_ptr<QMainWindow> m_frame;
};
