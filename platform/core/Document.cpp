#include "platform/core/Document.h"

#include "platform/core/RegularFile.h"

#include <filesystem>

std::string FailedToOpenDocumentMessage(const std::string& path)
{
    return "ファイルを開けませんでした。\n" + path;
}

bool CDocument::OnOpenDocument(const std::string& path, std::string& failure)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    const std::string fullPath = error ? path : full.lexically_normal().string();
    std::string reason;
    std::shared_ptr<std::FILE> file = OpenedFile(OpenRegularFile(fullPath, reason));
    if (!file) {
        failure = FailedToOpenDocumentMessage(fullPath);
        return false;
    }
    CArchive archive(fullPath, std::move(file));
    Serialize(archive);
    if (archive.IsRefused()) {
        failure = archive.Refusal();
        return false;
    }
    m_pathName = fullPath;
    return true;
}
