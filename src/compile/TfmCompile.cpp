#include "compile/TfmCompile.h"

#include "common/IniFile.h"
#include "compile/CompilationList.h"
#include "compile/CompileCommands.h"
#include "language/FormCaptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QDrag>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Compilation");
// What a drag inside the list carries; the list takes no other.
const QString kEntryFormat = QStringLiteral("application/x-kerfa-compilation-entry");

template <class T> T* named(T* component, const char* name) {
    component->setObjectName(QString::fromLatin1(name));
    return component;
}

} // namespace

TfmCompile::TfmCompile(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmCompile"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setMinimumSize(kWidth, kMinHeight);
    setMaximumWidth(kWidth);

    m_lbCompile = named(new QListView(this), "lbCompile");
    m_lbCompile->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lbCompile->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lbCompile->setUniformItemSizes(true);
    m_lbCompile->setContextMenuPolicy(Qt::CustomContextMenu);
    m_lbCompile->setAcceptDrops(true);
    m_lbCompile->viewport()->setAcceptDrops(true);
    m_lbCompile->installEventFilter(this);
    m_lbCompile->viewport()->installEventFilter(this);

    // What each sheet gives: at least one of the two stays checked.
    m_gbInclude = named(new QGroupBox(this), "gbInclude");
    m_cbDescriptions = named(new QCheckBox(m_gbInclude), "cbDescriptions");
    m_cbDescriptions->setChecked(true);
    m_cbContent = named(new QCheckBox(m_gbInclude), "cbContent");
    auto* include = new QVBoxLayout(m_gbInclude);
    include->addWidget(m_cbDescriptions);
    include->addWidget(m_cbContent);

    // Enter in the list does not create a compilation: neither button is a default one.
    m_btnCreate = named(new QPushButton(this), "btnCreate");
    m_btnCreate->setAutoDefault(false);
    m_btnClose = named(new QPushButton(this), "btnClose");
    m_btnClose->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnCreate);
    buttons->addWidget(m_btnClose);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_gbInclude, 1);
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lbCompile, 1);
    layout->addLayout(bottom);

    m_pmnuCompile = named(new QMenu(this), "pmnuCompile");
    m_pmnuEdit = named(m_pmnuCompile->addAction(QString()), "pmnuEdit");
    m_pmnuCompile->setDefaultAction(m_pmnuEdit);
    m_pmnuDelete = named(m_pmnuCompile->addAction(QString()), "pmnuDelete");
    // The list takes Del itself; the menu only shows it.
    m_pmnuDelete->setShortcut(Qt::Key_Delete);
    m_pmnuDelete->setShortcutContext(Qt::WidgetShortcut);
    m_pmnuCompile->addSeparator();
    m_pmnuClearAll = named(m_pmnuCompile->addAction(QString()), "pmnuClearAll");

    connect(m_cbDescriptions, &QCheckBox::toggled, this, &TfmCompile::cbDescriptionsClick);
    connect(m_cbContent, &QCheckBox::toggled, this, &TfmCompile::cbContentClick);
    connect(m_lbCompile, &QListView::customContextMenuRequested, this,
            &TfmCompile::pmnuCompilePopup);
    connect(m_pmnuEdit, &QAction::triggered, this, &TfmCompile::lbCompileDblClick);
    connect(m_pmnuDelete, &QAction::triggered, this, &TfmCompile::pmnuDeleteClick);
    connect(m_pmnuClearAll, &QAction::triggered, this, &TfmCompile::pmnuClearAllClick);
    connect(m_btnCreate, &QPushButton::clicked, this, &TfmCompile::btnCreateClick);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmCompile::btnCloseClick);
    FormCaptions::apply(this);
    refreshStates();
}

TfmCompile::~TfmCompile() {
    FormDestroy();
}

void TfmCompile::setCommands(CompileCommands* commands) {
    m_commands = commands;
    CompilationList* list = commands ? &commands->list() : nullptr;
    m_lbCompile->setModel(list);
    if (list) {
        // The list changes without the window too (Find & Compile, a deleted sheet).
        connect(list, &CompilationList::rowsInserted, this, &TfmCompile::refreshStates);
        connect(list, &CompilationList::rowsRemoved, this, &TfmCompile::refreshStates);
        connect(list, &CompilationList::modelReset, this, &TfmCompile::refreshStates);
        connect(m_lbCompile->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &TfmCompile::refreshStates);
    }
    refreshStates();
}

void TfmCompile::open() {
    refreshStates();
    show();
    raise();
    activateWindow();
}

void TfmCompile::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfmCompile::FormShow() {
    if (m_firstShow && !m_settingsFile.isEmpty()) {
        // Placed once, from the settings; later showings keep wherever the writer put it.
        const IniFile settings(m_settingsFile);
        move(settings.readInteger(kSection, u"Left", 20),
             settings.readInteger(kSection, u"Top", 300));
        resize(settings.readInteger(kSection, u"Width", 270),
               settings.readInteger(kSection, u"Height", 400));
    }
    m_firstShow = false;
    refreshStates();
}

void TfmCompile::FormDestroy() {
    // A window never shown has no place of its own: the one kept stays.
    if (m_firstShow || m_settingsFile.isEmpty())
        return;
    IniFile settings(m_settingsFile);
    settings.writeInteger(kSection, u"Top", y());
    settings.writeInteger(kSection, u"Left", x());
    settings.writeInteger(kSection, u"Width", width());
    settings.writeInteger(kSection, u"Height", height());
    settings.save();
}

int TfmCompile::selectedRow() const {
    const QItemSelectionModel* selection = m_lbCompile->selectionModel();
    if (!selection)
        return -1;
    const QModelIndexList rows = selection->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.front().row();
}

int TfmCompile::rowAt(QPoint at) const {
    const QModelIndex index = m_lbCompile->indexAt(at);
    return index.isValid() ? index.row() : -1;
}

void TfmCompile::refreshStates() {
    const bool selected = selectedRow() >= 0;
    const bool entries = m_commands && !m_commands->list().isEmpty();
    m_pmnuEdit->setEnabled(selected);
    m_pmnuDelete->setEnabled(selected);
    m_pmnuClearAll->setEnabled(entries);
    m_btnCreate->setEnabled(entries);
}

void TfmCompile::cbDescriptionsClick() {
    if (!m_cbDescriptions->isChecked() && !m_cbContent->isChecked())
        m_cbDescriptions->setChecked(true);
}

void TfmCompile::cbContentClick() {
    if (!m_cbContent->isChecked() && !m_cbDescriptions->isChecked())
        m_cbContent->setChecked(true);
}

bool TfmCompile::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_lbCompile && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return lbCompileKeyDown(key->key(), key->modifiers());
    }
    if (watched != m_lbCompile->viewport())
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        lbCompileMouseDown(mouse->position().toPoint(), mouse->button());
        break;
    }
    case QEvent::MouseButtonDblClick:
        lbCompileMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint(), Qt::NoButton);
        lbCompileDblClick();
        return true;
    case QEvent::MouseButtonRelease:
        m_pressed = false;
        break;
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return lbCompileMouseMove(mouse->position().toPoint(), mouse->buttons());
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
        lbCompileDragOver(static_cast<QDragMoveEvent*>(event));
        return true;
    case QEvent::Drop:
        lbCompileDragDrop(static_cast<QDropEvent*>(event));
        return true;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TfmCompile::lbCompileMouseDown(QPoint at, Qt::MouseButton button) {
    m_mouseDown = at;
    m_pressed = button == Qt::LeftButton && rowAt(at) >= 0;
}

bool TfmCompile::lbCompileMouseMove(QPoint at, Qt::MouseButtons buttons) {
    if (!m_pressed || !(buttons & Qt::LeftButton))
        return false;
    // The entry pressed stays selected until the hand has moved far enough to drag it.
    if ((at - m_mouseDown).manhattanLength() < QApplication::startDragDistance())
        return true;
    m_pressed = false;
    auto* data = new QMimeData;
    data->setData(kEntryFormat, QByteArray::number(rowAt(m_mouseDown)));
    auto* drag = new QDrag(m_lbCompile);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
    return true;
}

void TfmCompile::lbCompileDragOver(QDragMoveEvent* event) {
    if (event->source() == m_lbCompile && event->mimeData()->hasFormat(kEntryFormat))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TfmCompile::lbCompileDragDrop(QDropEvent* event) {
    if (event->source() != m_lbCompile || !m_commands) {
        event->ignore();
        return;
    }
    // The entry under the press moves to the place of the entry under the drop.
    const int from = rowAt(m_mouseDown);
    const int to = rowAt(event->position().toPoint());
    event->acceptProposedAction();
    if (from < 0 || to < 0)
        return;
    m_commands->list().move(from, to);
    m_lbCompile->setCurrentIndex(m_lbCompile->model()->index(to, 0));
}

bool TfmCompile::lbCompileKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Delete) {
        pmnuDeleteClick();
        return true;
    }
    const bool moves = modifiers & (Qt::ControlModifier | Qt::ShiftModifier);
    if (!moves || (key != Qt::Key_Up && key != Qt::Key_Down))
        return false;
    // The selected entry changes places with its neighbour and stays selected.
    const int row = selectedRow();
    const int to = key == Qt::Key_Up ? row - 1 : row + 1;
    if (row >= 0 && m_commands && to >= 0 && to < m_commands->list().rowCount())
        m_commands->list().move(row, to);
    return true;
}

void TfmCompile::lbCompileDblClick() {
    const int row = rowAt(m_mouseDown);
    if (row >= 0 && m_commands)
        Q_EMIT editRequested(m_commands->list().names().at(row));
}

void TfmCompile::pmnuDeleteClick() {
    if (const int row = selectedRow(); row >= 0 && m_commands)
        m_commands->list().removeAt(row);
}

void TfmCompile::pmnuClearAllClick() {
    if (m_commands)
        m_commands->list().clear();
}

void TfmCompile::pmnuCompilePopup(QPoint at) {
    m_mouseDown = at;
    refreshStates();
    m_pmnuCompile->popup(m_lbCompile->viewport()->mapToGlobal(at));
}

void TfmCompile::btnCreateClick() {
    if (!m_commands)
        return;
    m_commands->Create({m_cbDescriptions->isChecked(), m_cbContent->isChecked()});
}

void TfmCompile::btnCloseClick() {
    close();
}
