#pragma once
// The document side of the document/view framework: a document is opened from a path by the
// framework, which opens the file (a regular file only) and hands it to Serialize. The document
// keeps data and state; whatever the user must be told goes back to the caller as text.

#include <cstdio>
#include <memory>
#include <string>

// What Serialize reads from: the file the framework opened, under its full path. A document that
// will not take the file calls Refuse, and the open then fails as a whole: the path name, the
// recent-file list and the previous figures stay.
class CArchive {
public:
    CArchive(std::string filePath, std::shared_ptr<std::FILE> file)
        : m_filePath(std::move(filePath)), m_file(std::move(file)) {}
    // Full path of the file the archive was opened on.
    const std::string& GetFilePath() const { return m_filePath; }
    // The open file, for a document that reads it later (or elsewhere).
    const std::shared_ptr<std::FILE>& GetFile() const { return m_file; }
    void Refuse(std::string reason) { m_refusal = std::move(reason); }
    bool IsRefused() const { return !m_refusal.empty(); }
    const std::string& Refusal() const { return m_refusal; }

private:
    std::string m_filePath;
    std::shared_ptr<std::FILE> m_file;
    std::string m_refusal;
};

class CDocument {
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    virtual bool OnNewDocument() { return true; }
    // Opens path for reading and calls Serialize. False, with the document as it was and what the
    // user must be told in failure, when the file cannot be opened or Serialize refused it.
    virtual bool OnOpenDocument(const std::string& path, std::string& failure);
    virtual void Serialize(CArchive& archive) = 0;

    const std::string& GetPathName() const { return m_pathName; }

private:
    std::string m_pathName;
};

// The framework's report of a document file it cannot open.
std::string FailedToOpenDocumentMessage(const std::string& path);
