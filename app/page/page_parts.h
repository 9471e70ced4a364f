#pragma once

#include "app/page/rect.h"

#include <QString>

#include <vector>

// One thing a page draws that a screen reader or the keyboard can reach: a
// block of text, or a framed link box.
struct PagePart {
    QString strText;
    Rect rc; // client pixels, as last drawn
    // For a link box, the rectangle a click hits (one of the page's link or hot
    // areas); nullptr for text.
    const Rect* pLink = nullptr;

    bool IsLink() const { return pLink != nullptr; }
    friend bool operator==(const PagePart&, const PagePart&) = default;
};

// What a page showed at its latest drawing, in drawing order.
class PageParts {
public:
    void Clear() { m_parts.clear(); }
    // Blank text (an empty line drawn for spacing) is left out.
    void AddText(const Rect& rc, const QString& strText);
    // rcLink is the page's own link or hot area, already set to the drawn box.
    void AddLink(const Rect& rcLink, const QString& strText);
    // Puts the text in place of part nIndex, or appends it when there is no such part.
    void SetText(int nIndex, const Rect& rc, const QString& strText);

    int Count() const { return static_cast<int>(m_parts.size()); }
    const PagePart& operator[](int i) const { return m_parts[static_cast<std::size_t>(i)]; }
    // The link boxes in drawing order.
    std::vector<const Rect*> Links() const;
    bool HasLink(const Rect* pLink) const;

    friend bool operator==(const PageParts&, const PageParts&) = default;

private:
    std::vector<PagePart> m_parts;
};
