#include "app/HeadlessDocument.h"

#include "platform/core/PathText.h"

CHeadlessDocument::CHeadlessDocument(const QString& file, const CivilDate& today, int closingDay)
    : m_file(file), m_today(today), m_clock(LocalNoon(today))
{
    m_settings.SetLogPath(EncodePath(file));
    m_settings.SetClosingDay(closingDay);
}

bool CHeadlessDocument::Load(QTextStream& err)
{
    m_doc = std::make_unique<CPeloraDoc>(m_profile, m_clock, *this, m_today);
    if (!m_doc->IsLoadFailed())
        return true;
    err << m_messages.join(QLatin1Char('\n')) << '\n'
        << m_file << ": " << QString::fromStdString(m_doc->GetLoadError()) << '\n';
    return false;
}
