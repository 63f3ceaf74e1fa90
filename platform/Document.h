#pragma once
// The document side of the document/view framework: a document is opened from a path by the
// framework, which checks that the file can be read and then hands it to Serialize.

#include <string>

class IMessageSink;

class CArchive {
public:
    enum Mode { load, store };
    CArchive(Mode mode, std::string filePath) : m_mode(mode), m_filePath(std::move(filePath)) {}
    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }
    // Full path of the file the archive was opened on.
    const std::string& GetFilePath() const { return m_filePath; }

private:
    Mode m_mode;
    std::string m_filePath;
};

class CDocument {
public:
    explicit CDocument(IMessageSink& messages) : m_messages(messages) {}
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    virtual bool OnNewDocument() { return true; }
    // Opens path for reading and calls Serialize with a loading archive. A file that cannot be
    // opened is reported here and leaves the document as it was.
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
