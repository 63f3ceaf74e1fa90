#include "app/HeadlessDocument.h"

#include "platform/core/PathText.h"

namespace {
// The settings the document is built on: written before it reads them.
CMemoryProfileStore& Prepared(CMemoryProfileStore& profile, const QString& file, int closingDay)
{
    CSettings settings(profile);
    settings.SetLogPath(EncodePath(file));
    settings.SetClosingDay(closingDay);
    return profile;
}
} // namespace

CHeadlessDocument::CHeadlessDocument(const QString& file, const CivilDate& today, int closingDay)
    : m_file(file), m_clock(LocalNoon(today)), m_doc(Prepared(m_profile, file, closingDay), m_clock, today)
{
}

bool CHeadlessDocument::Load(QTextStream& err)
{
    m_doc.LoadChargeFile();
    if (m_doc.IsLoadFailed())
        TellFailure(err);
    return !m_doc.IsLoadFailed();
}

void CHeadlessDocument::TellFailure(QTextStream& err) const
{
    err << QString::fromUtf8(m_doc.GetLoadFailureMessage()) << '\n'
        << m_file << ": " << QString::fromStdString(m_doc.GetLoadError()) << '\n';
}
