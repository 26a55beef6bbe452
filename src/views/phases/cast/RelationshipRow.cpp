#include "views/phases/cast/RelationshipRow.h"

#include "design/focus/FocusAfterRemoval.h"
#include "design/widgets/MenuButton.h"
#include "design/style/Palette.h"
#include "design/text/PlainTextField.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/SymbolButton.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QHBoxLayout>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace studio {

RelationshipRow::RelationshipRow(const QUuid& relationshipID, QWidget* parent)
    : CardSurface(9, Palette::surfaceHigh(), parent)
    , m_id(relationshipID)
    , m_name(new MenuButton(QString(), this))
    , m_label(new PlainTextField(u"How they relate…"_s, Theme::font(type::callout), this))
    , m_remove(new SymbolButton(u"xmark"_s, 7, Palette::textTertiary(), QFont::Bold, this))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(8);

    m_name->setLabelFont(Theme::font(type::callout, QFont::DemiBold));
    m_name->setLabelColor(Palette::textPrimary());
    m_name->setPadding(8, 4);
    m_name->setFill(Palette::white(level::fill), Palette::white(level::raised));
    m_name->setBorder(Qt::transparent, 0);
    m_name->setPressedOpacity(0.7);
    // A long name is elided in its capsule rather than widening the row past
    // the pane: the label field and the remove mark stay in reach.
    m_name->setMaximumWidth(160);
    row->addWidget(m_name);

    m_label->setTextColor(Palette::textSecondary());
    row->addWidget(m_label, 1);

    m_remove->setAccessibleName(u"Remove relationship"_s);
    FocusAfterRemoval::markRemover(m_remove);
    row->addWidget(m_remove);

    connect(m_label, &PlainTextField::textEdited, this,
            [this](const QString& text) { Q_EMIT labelEdited(m_id, text); });
    connect(m_remove, &QAbstractButton::clicked, this, [this] { Q_EMIT removeRequested(m_id); });
}

void RelationshipRow::setRelationship(const QString& otherName, const QString& label)
{
    m_name->setLabel(otherName);
    m_label->setText(label);
    // The label has no caption of its own: it is read out as how the member
    // relates to the one the menu names.
    setSpokenName(m_label->lineEdit(), u"How they relate to "_s + spokenName(otherName));
}

QList<QWidget*> RelationshipRow::tabStops() const
{
    return {m_name, m_label->lineEdit(), m_remove};
}

} // namespace studio
