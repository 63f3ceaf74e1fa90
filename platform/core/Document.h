#pragma once
// The document side of the document/view framework: a document is opened from a path by the
// framework, which checks that the file can be read and then hands it to Serialize.

#include <string>

class IMessageSink;

// What Serialize reads from. A document that will not take the file calls Refuse, and the open
// then fails as a whole: the path name, the recent-file list and the previous figures stay.
class CArchive {
public:
    explicit CArchive(std::string filePath) : m_filePath(std::move(filePath)) {}
    // Full path of the file the archive was opened on.
    const std::string& GetFilePath() const { return m_filePath; }
    void Refuse() { m_refused = true; }
    bool IsRefused() const { return m_refused; }

private:
    std::string m_filePath;
    bool m_refused = false;
};

class CDocument {
public:
    explicit CDocument(IMessageSink& messages) : m_messages(messages) {}
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    virtual bool OnNewDocument() { return true; }
    // Opens path for reading and calls Serialize. False, with the document as it was, when the
    // file cannot be opened (reported here) or Serialize refused it (reported by the document).
    virtual bool OnOpenDocument(const std::string& path);
    virtual void Serialize(CArchive& archive) = 0;

    const std::string& GetPathName() const { return m_pathName; }

protected:
    // Where the framework and the document report what the user must see.
    IMessageSink& m_messages;

private:
    std::string m_pathName;
};

// The framework's report of a document file it cannot open.
std::string FailedToOpenDocumentMessage(const std::string& path);
