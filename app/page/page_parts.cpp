#include "app/page/page_parts.h"

#include <algorithm>

void PageParts::AddText(const Rect& rc, const QString& strText)
{
    const QString strWording = strText.trimmed();
    if (!strWording.isEmpty())
        m_parts.push_back({strWording, rc, nullptr});
}

void PageParts::AddLink(const Rect& rcLink, const QString& strText)
{
    m_parts.push_back({strText, rcLink, &rcLink});
}

void PageParts::SetText(int nIndex, const Rect& rc, const QString& strText)
{
    if (nIndex < 0 || nIndex >= Count()) {
        AddText(rc, strText);
        return;
    }
    m_parts[static_cast<std::size_t>(nIndex)] = {strText.trimmed(), rc, nullptr};
}

std::vector<const Rect*> PageParts::Links() const
{
    std::vector<const Rect*> links;
    for (const PagePart& part : m_parts)
        if (part.IsLink())
            links.push_back(part.pLink);
    return links;
}

bool PageParts::HasLink(const Rect* pLink) const
{
    return pLink && std::any_of(m_parts.begin(), m_parts.end(), [&](const PagePart& part) { return part.pLink == pLink; });
}
