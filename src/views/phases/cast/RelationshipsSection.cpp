#include "views/phases/cast/RelationshipsSection.h"

#include "design/widgets/FieldLabel.h"
#include "design/widgets/KeyedList.h"
#include "design/widgets/MenuButton.h"
#include "design/style/Palette.h"
#include "design/style/Symbols.h"
#include "design/focus/TabOrder.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"
#include "state/rules/CastRules.h"
#include "views/phases/cast/RelationshipRow.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace studio {

namespace {
constexpr qreal addSymbol = 9;
constexpr int addSide = 20;
} // namespace

RelationshipsSection::RelationshipsSection(QWidget* parent)
    : QWidget(parent)
    , m_add(new MenuButton(QString(), this))
    , m_hint(new TextLabel(QString(), Theme::font(type::label), Palette::textTertiary(), this))
    , m_column(new QVBoxLayout(this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    // Where the keyboard rests when the last relationship is removed.
    setAccessibleName(u"Relationships"_s);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(8);

    auto* header = new QWidget(this);
    auto* headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(0, 0, 0, 0);
    headerRow->addWidget(new FieldLabel(u"Relationships"_s, header));
    headerRow->addStretch(1);
    // A plus on a faint circle.
    m_add->setParent(header);
    m_add->setSymbol(u"plus"_s, addSymbol, Palette::textSecondary(), QFont::DemiBold);
    m_add->setPadding((addSide - Symbols::boxSize(addSymbol)) / 2.0, 0);
    m_add->setFill(Palette::white(level::tint), Palette::white(level::raised));
    m_add->setBorder(Qt::transparent, 0);
    m_add->setFixedSize(addSide, addSide);
    m_add->setAccessibleName(u"Add relationship"_s);
    connect(m_add, &MenuButton::aboutToOpen, this, [this] {
        fillWithOthers(m_add->menu(), [this](const QUuid& otherID) { Q_EMIT addRequested(otherID); });
    });
    headerRow->addWidget(m_add);
    m_column->addWidget(header);

    m_hint->setWordWrap(true);
    m_column->addWidget(m_hint);
    // The rows follow the header and the hint.
    m_rows = std::make_unique<KeyedList<QUuid, RelationshipRow>>(m_column, 2);
}

RelationshipsSection::~RelationshipsSection() = default;

void RelationshipsSection::fillWithOthers(QMenu* menu, const std::function<void(const QUuid&)>& choose) const
{
    menu->clear();
    for (const Other& other : m_others) {
        QAction* entry = menu->addAction(Theme::escapeMnemonic(text::displayPrefix(other.name)));
        const QUuid id = other.id;
        connect(entry, &QAction::triggered, menu, [choose, id] { choose(id); });
    }
}

void RelationshipsSection::setMember(const CastMember& member, const QList<CastMember>& cast)
{
    m_others.clear();
    for (const CastMember& other : cast) {
        if (other.id != member.id)
            m_others.append({other.id, other.name});
    }
    m_add->setVisible(!m_others.isEmpty());
    m_hint->setText(m_others.isEmpty()
                        ? u"Add more characters to weave relationships."_s
                        : u"Stories live between people. \"Mentor\", \"rival\", \"the one who knew her before\" — one "
                          u"line each."_s);
    m_hint->setVisible(member.relationships.isEmpty());

    m_rows->sync(
        member.relationships, [](const CastRelationship& r) { return r.id; },
        [this](const CastRelationship& r) {
            auto* row = new RelationshipRow(r.id);
            const QUuid id = r.id;
            connect(row->nameMenu(), &MenuButton::aboutToOpen, this, [this, row, id] {
                fillWithOthers(row->nameMenu()->menu(),
                               [this, id](const QUuid& otherID) { Q_EMIT retargetRequested(id, otherID); });
            });
            connect(row, &RelationshipRow::labelEdited, this, &RelationshipsSection::labelEdited);
            connect(row, &RelationshipRow::removeRequested, this, &RelationshipsSection::removeRequested);
            return row;
        },
        [&cast](RelationshipRow* row, const CastRelationship& r, int) {
            row->setRelationship(rules::nameFor(cast, r.otherID), r.label);
        });
    // Rows built now would come last in the window's Tab order: they follow
    // the add menu, in the relationships' order.
    QList<QWidget*> stops;
    for (RelationshipRow* row : m_rows->widgets())
        stops.append(row->tabStops());
    TabOrder::chain(m_add, stops);
}

QList<RelationshipRow*> RelationshipsSection::rows() const
{
    return m_rows->widgets();
}

RelationshipRow* RelationshipsSection::row(const QUuid& relationshipID) const
{
    return m_rows->widget(relationshipID);
}

} // namespace studio
