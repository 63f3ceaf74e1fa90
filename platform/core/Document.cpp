#include "platform/core/Document.h"

#include "platform/core/MessageSink.h"
#include "platform/core/RegularFile.h"

#include <filesystem>

std::string FailedToOpenDocumentMessage(const std::string& path)
{
    return "ファイルを開けませんでした。\n" + path;
}

bool CDocument::OnOpenDocument(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    const std::string fullPath = error ? path : full.lexically_normal().string();
    std::string reason;
    std::FILE* file = OpenRegularFile(fullPath, reason);
    if (file)
        std::fclose(file);
    if (!file) {
        m_messages.ShowMessage(FailedToOpenDocumentMessage(fullPath));
        return false;
    }
    CArchive archive(fullPath);
    Serialize(archive);
    if (archive.IsRefused())
        return false;
    m_pathName = fullPath;
    return true;
}
