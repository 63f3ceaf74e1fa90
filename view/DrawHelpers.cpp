#include "view/DrawHelpers.h"

void Draw3DFrame(CDC& dc, int left, int top, int right, int bottom, bool sunken)
{
    {
        CPen first(dc, GetSysColor(sunken ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
        dc.MoveTo(left, top);
        dc.LineTo(left, bottom);
        dc.MoveTo(left, top);
        dc.LineTo(right, top);
    }
    CPen second(dc, GetSysColor(sunken ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
    dc.MoveTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.MoveTo(right, bottom);
    dc.LineTo(right, top);
}

QStringList PGothicFaces()
{
    return {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")};
}

QStringList GothicFaces()
{
    return {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")};
}
