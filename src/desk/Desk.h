#pragma once

#include <QList>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>

class QGraphicsItem;
class QGraphicsScene;
class TKerfa;

// The desk panel: owns every sheet in desk order (the order of creation), with the current sheet,
// the selection and the links between sheets. Sheets (each with its label) and their lines lie on
// its scene, which holds nothing else; stacking is by z value, the newest "front" or "back" above
// or below everything placed before.
class Desk : public QObject {
    Q_OBJECT
public:
    explicit Desk(QGraphicsScene* scene, QObject* parent = nullptr);
    ~Desk() override;

    QGraphicsScene* scene() const { return m_scene; }
    // Width and height of the desk panel.
    QSize extent() const;
    void setExtent(QSize size);

    // Creates a sheet owned by the desk and lays it on the desk, last in desk order, hidden until
    // the caller shows it.
    TKerfa* createSheet();
    // The same, but the sheet is not hidden, and it (with its line, once it links to another)
    // lies on the desk only once layPreparedSheets() runs. The sheets of a book read from disk are
    // set up and linked first and laid on the desk together: a sheet on the desk costs bookkeeping
    // at every change, and a long load lets the window paint meanwhile, which walks every sheet on
    // the desk.
    TKerfa* prepareSheet();
    void layPreparedSheets();
    // Frees one sheet with its label and line; no other sheet links to it or from it afterwards.
    // A first sheet of a chain hands the chain's word target to the sheet after it.
    void deleteSheet(TKerfa* sheet);
    // Frees every sheet; no current sheet and an empty selection afterwards.
    void clear();

    const QList<TKerfa*>& sheets() const { return m_sheets; }
    // The first sheet in desk order whose name is exactly this one.
    TKerfa* findSheet(const QString& name) const;

    TKerfa* current() const { return m_current; }
    void setCurrent(TKerfa* sheet) { m_current = sheet; }
    QList<TKerfa*>& selection() { return m_selection; }

    // The current sheet is the one the sheet commands and keys act on; the selection is the
    // sheets dragged together, and usually holds the current sheet. A sheet's Selected flag is
    // what its label shows.

    // A plain press on a sheet: it becomes the current sheet and the only one selected.
    void selectOnly(TKerfa* sheet);
    // A press on empty desk: no current sheet, nothing selected.
    void selectNone();
    // Shift+press on a sheet: it becomes the current sheet and joins the selection, and every
    // other selected sheet keeps its offset from it for a group drag. Its label is left as it
    // is: the press selects it unless it follows a double-click.
    void joinSelection(TKerfa* sheet);
    // Shift+Ctrl+press on a sheet: into the selection or out of it; the current sheet stays.
    void toggleSelected(TKerfa* sheet);
    // Every sheet's label shows it unselected.
    void deselectAll();

    // A drag of the current sheet with every other selected sheet. beginDrag hides the lines at
    // both ends of the moving sheets (files may link several sheets to one); dragTo puts the
    // current sheet at a position and every other selected sheet at its offset from it, each
    // kept on the desk by itself (a group pushed against an edge loses its shape); endDrag, the
    // drop, places the lines again.
    void beginDrag();
    void dragTo(int left, int top);
    void endDrag();

    // Ctrl+press on a sheet: links the current sheet to it, or unlinks them when the current
    // sheet already links to it. A chain's word target stays with its first sheet: a chain
    // joined after another passes its target to the new first sheet unless that has one of
    // its own, and a first sheet unlinked from a chain that goes on passes it to the next
    // sheet, which now starts the chain (unless that has one). A target not passed stays,
    // unshown, with its sheet and shows again when the sheet starts a chain again.
    enum class LinkResult {
        Ignored,    // several sheets are selected, or the link would close a loop
        PlainPress, // no current sheet, or the Compilation sheet: the press counts as a plain one
        Unchanged,  // the sheet is the current one, or another sheet links to it already
        Linked,
        Unlinked,
    };
    LinkResult linkGesture(TKerfa* sheet);

    // Set by a double-click, cleared by any mouse move: a press then selects without dragging.
    bool doubleClickGuard = false;

    void bringToFront(QGraphicsItem* item);
    void sendToBack(QGraphicsItem* item);

    // Links: a sheet links to at most one sheet and is linked to from at most one, and links
    // never close a loop. These keep LinkTo, LinkedFrom, LinkToName and the line together; the
    // link gesture checks its own rules (the Compilation sheet, a target already linked to)
    // before it asks for a link.

    // Links source to target and draws the line. A link source had before goes; its old
    // target is linked from nothing afterwards.
    void link(TKerfa* source, TKerfa* target);
    // Removes source's link and hides its line.
    void unlink(TKerfa* source);
    // Whether linking source to target would close a loop: target is source, or the chain that
    // starts at target reaches source.
    bool wouldCloseCycle(const TKerfa* source, const TKerfa* target) const;
    // The sheet and each sheet reached by following links from it, in link order. A chain read
    // from damaged files that comes back on itself ends before the first sheet met again.
    QList<TKerfa*> chain(TKerfa* start) const;
    // The first sheet of the chain the sheet lies in (the sheet itself when nothing links to it).
    TKerfa* chainHead(TKerfa* sheet) const;
    // After a load: each sheet links to the sheet its stored link name names exactly. A name that
    // names no sheet stays with the sheet, unresolved, and is written back by the next save.
    void resolveLinks();
    // Places the lines at both ends of a sheet again, after it moved or changed size.
    void placeLines(TKerfa* sheet);

Q_SIGNALS:
    // The sheet is about to be freed: whatever belongs to it elsewhere (its editor window) goes.
    void sheetRemoving(TKerfa* sheet);
    // Every sheet is about to go at once: the book is closing, or another is being loaded.
    void clearing();
    // A link was made or removed: chains changed.
    void linksChanged();

private:
    // The sheets a drag moves, and whether a sheet's line has an end among them.
    QSet<const TKerfa*> movingSheets() const;
    static bool touches(const TKerfa* sheet, const QSet<const TKerfa*>& moving);
    // Moves the chain target of `from` to `to` when `to` has none.
    static void passChainTarget(TKerfa* from, TKerfa* to);

    QGraphicsScene* m_scene;
    QList<TKerfa*> m_sheets;
    QList<TKerfa*> m_selection;
    TKerfa* m_current = nullptr;
    double m_front = 0;
    double m_back = 0;
};
