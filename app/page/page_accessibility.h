#pragma once

class CPageWnd;
class QString;
class PageParts;

// Makes every page window readable through Qt's accessibility interfaces: the
// page is a pane whose children are the parts it drew, in drawing order, text
// as static text and link boxes as buttons that can be pressed.
void InstallPageAccessibility();

// Tells assistive technology how the page's parts differ from partsBefore:
// parts that came or went, and texts with new wording.
void AnnouncePartsChanged(const CPageWnd& page, const PageParts& partsBefore);

// Has the screen reader say strNews now, while the page's window has the focus.
void AnnounceNews(const CPageWnd& page, const QString& strNews);

// Tells assistive technology which link box, or the page itself, has the keyboard focus now.
void AnnounceKeyboardFocus(const CPageWnd& page);
