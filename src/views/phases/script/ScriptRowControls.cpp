#include "views/phases/script/ScriptRowControls.h"

#include "design/widgets/MenuButton.h"
#include "design/style/Palette.h"
#include "design/widgets/SymbolButton.h"
#include "design/style/Theme.h"
#include "views/phases/script/ScriptElementRow.h"

#include <QHBoxLayout>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace studio {

ScriptRowControls::ScriptRowControls(QWidget* parent)
    : QWidget(parent)
    , m_kindMenu(new MenuButton(QString(), this))
    , m_remove(new SymbolButton(u"xmark"_s, 8, Palette::paperInkSoft(), QFont::Bold, this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_kindMenu->setShape(MenuButton::Shape::plain);
    m_kindMenu->setPadding(2, 0);
    m_kindMenu->setSpacing(0);
    m_kindMenu->setFocusPolicy(Qt::NoFocus);
    m_remove->setFocusPolicy(Qt::NoFocus);
    m_remove->setToolTip(removeLabel());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addStretch(1);
    layout->addWidget(m_kindMenu, 0, Qt::AlignVCenter);
    layout->addWidget(m_remove, 0, Qt::AlignVCenter);
    connect(m_remove, &QAbstractButton::clicked, this, [this] {
        if (!m_id.isNull())
            Q_EMIT removeRequested(m_id);
    });
    connect(m_kindMenu, &MenuButton::aboutToOpen, this, &ScriptRowControls::fillKindMenu);
}

void ScriptRowControls::standFor(const QUuid& id, ScriptElementKind kind)
{
    m_id = id;
    const ScriptElementRow::KindStyle& s = ScriptElementRow::style(kind);
    m_kindMenu->setSymbol(s.symbol, 9, Palette::paperInkSoft());
    m_kindMenu->setAccessibleName(s.label);
}

QString ScriptRowControls::removeLabel()
{
    return u"Delete element"_s;
}

void ScriptRowControls::fillKindMenu()
{
    const QUuid id = m_id;
    QMenu* menu = m_kindMenu->menu();
    menu->clear();
    for (ScriptElementKind k : allCases<ScriptElementKind>()) {
        QAction* action = menu->addAction(Theme::escapeMnemonic(ScriptElementRow::style(k).label));
        connect(action, &QAction::triggered, this, [this, id, k] { Q_EMIT kindPicked(id, k); });
    }
}

} // namespace studio
