#include "design/widgets/TagField.h"

#include "design/focus/FocusAfterRemoval.h"
#include "design/widgets/FieldFrame.h"
#include "design/focus/FocusOutline.h"
#include "design/focus/SheetArrival.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/KeyedList.h"
#include "design/style/Palette.h"
#include "design/style/QtPrivateState.h"
#include "design/style/Shapes.h"
#include "design/widgets/SpokenName.h"
#include "design/widgets/SymbolButton.h"
#include "design/focus/TabOrder.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHash>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include <QtWidgets/private/qwidget_p.h>

namespace studio {

// One tag: its text and a remove button on a faint capsule.
class TagCapsule : public QWidget {
public:
    explicit TagCapsule(QWidget* parent = nullptr)
        : QWidget(parent)
        , label(new TextLabel(QString(), Theme::font(type::body), Palette::textPrimary(), this))
        , remove(new SymbolButton(QStringLiteral("xmark"), 7, Palette::textTertiary(), QFont::Bold, this))
    {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(9, 5, 9, 5);
        row->setSpacing(5);
        row->addWidget(label, 0, Qt::AlignVCenter);
        row->addWidget(remove, 0, Qt::AlignVCenter);
        // Narrower than its text when a line can't hold it: the text elides
        // and the remove button stays on the capsule.
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        remove->setToolTip(QString());
        FocusAfterRemoval::markRemover(remove);
    }

    QString tag;
    TextLabel* label;
    SymbolButton* remove;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        shapes::fillCapsule(p, rect(), Palette::white(0.06));
        shapes::strokeCapsuleInside(p, rect(), Palette::hairline(), 1.0);
    }
};

TagField::TagField(const QString& placeholder, QWidget* parent)
    : QWidget(parent)
    , m_flow(new FlowLayout(6, this))
    , m_draft(new QLineEdit(this))
{
    makePlainEditor(m_draft, Theme::font(type::body));
    m_draft->setFrame(false);
    m_draft->setPlaceholderText(placeholder);
    m_draft->setFixedWidth(150);
    m_draft->setTextMargins(0, 5, 0, 5);
    m_flow->addWidget(m_draft);
    new FocusOutline(m_draft, m_draft);
    m_capsules = std::make_unique<KeyedList<QString, TagCapsule>>(m_flow, 0);
    // The height follows the width (heightForWidth). A fixed vertical policy
    // would cap it at the size hint's single width and clip wrapped rows.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    connect(m_draft, &QLineEdit::returnPressed, this, &TagField::commit);
    m_draft->installEventFilter(this);
}

TagField::~TagField()
{
    // Deleted with a draft typed (the keyboard still in it), the field
    // commits it as leaving it would, so what was typed is not lost. Not
    // while a widget around it is being destroyed.
    if (aroundBeingDestroyed())
        return;
    const QStringList next = committed(m_tags, m_draft->text());
    if (next != m_tags)
        Q_EMIT tagsEdited(next);
}

void TagField::mousePressEvent(QMouseEvent* event)
{
    // The field is one well: a press beside the draft (on a bare stretch of
    // the row, a capsule's body) is a press on the field, and the words typed
    // next go into its draft, not into the field the keyboard was in.
    if (event->button() == Qt::LeftButton && m_draft->isEnabled()) {
        m_draft->setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

bool TagField::aroundBeingDestroyed() const
{
    // Where Qt's private state, which tells it, is out of reach, the field
    // cannot know, and takes it that it is.
    if (!QtPrivateState::runningQtIsBuildQt())
        return true;
    for (const QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (QWidgetPrivate::get(w)->data.in_destructor)
            return true;
    }
    return false;
}

bool TagField::sameTag(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    return a.normalized(QString::NormalizationForm_C) == b.normalized(QString::NormalizationForm_C);
}

QStringList TagField::committed(const QStringList& tags, const QString& draft)
{
    const QString trimmed = draft.trimmed();
    if (trimmed.isEmpty())
        return tags;
    for (const QString& t : tags) {
        if (sameTag(t, trimmed))
            return tags;
    }
    QStringList out = tags;
    out.append(trimmed);
    return out;
}

QStringList TagField::removing(const QStringList& tags, const QString& tag)
{
    QStringList out;
    for (const QString& t : tags) {
        if (!sameTag(t, tag))
            out.append(t);
    }
    return out;
}

void TagField::setTags(const QStringList& tags)
{
    if (tags == m_tags)
        return;
    m_tags = tags;
    rebuild();
}

void TagField::commit()
{
    const QStringList next = committed(m_tags, m_draft->text());
    m_draft->clear();
    if (next == m_tags)
        return;
    m_tags = next;
    rebuild();
    Q_EMIT tagsEdited(m_tags);
}

bool TagField::eventFilter(QObject* watched, QEvent* event)
{
    // The draft is the one part of the field the production doesn't hold
    // yet: whatever takes the keyboard from it (Tab, a click, a shortcut
    // that changes the screen, another window) would otherwise drop it.
    // A sheet that opens by itself mid-word is no leaving: the draft waits,
    // as typed, for the keyboard to come back when the sheet closes; should
    // the field go meanwhile, the draft is committed then.
    if (watched == m_draft) {
        switch (event->type()) {
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
                break;
            m_awaitingKeyboardBack = m_draft->isVisible() && SheetArrival::keyboardTakenByItself(m_draft);
            if (!m_awaitingKeyboardBack)
                commit();
            break;
        case QEvent::FocusIn:
            m_awaitingKeyboardBack = false;
            break;
        case QEvent::Hide:
            if (m_awaitingKeyboardBack) {
                m_awaitingKeyboardBack = false;
                if (!aroundBeingDestroyed())
                    commit();
            }
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TagField::remove(const QString& tag)
{
    const QStringList next = removing(m_tags, tag);
    if (next == m_tags)
        return;
    m_tags = next;
    rebuild();
    Q_EMIT tagsEdited(m_tags);
}

void TagField::rebuild()
{
    // A list from elsewhere may hold a tag twice; each copy gets its own
    // capsule, keyed by the tag and its occurrence.
    struct Entry {
        QString key;
        QString tag;
    };
    QList<Entry> entries;
    QHash<QString, int> seen;
    for (const QString& t : std::as_const(m_tags)) {
        const int n = seen.value(t, 0);
        seen.insert(t, n + 1);
        entries.append({t + QChar(0x1F) + QString::number(n), t});
    }
    m_capsules->sync(
        entries, [](const Entry& e) { return e.key; },
        [this](const Entry&) {
            auto* capsule = new TagCapsule(this);
            connect(capsule->remove, &QAbstractButton::clicked, this, [this, capsule] { remove(capsule->tag); });
            return capsule;
        },
        [](TagCapsule* capsule, const Entry& e, int) {
            capsule->tag = e.tag;
            capsule->label->setText(e.tag);
            // The whole tag stays with its label; the button's name is short.
            setSpokenName(capsule->remove, QStringLiteral("Remove ") + spokenName(e.tag));
        });
    // Capsules built now would come last in the window's Tab order: they
    // read, and so take the focus, before the draft, in the tags' order.
    QList<QWidget*> stops;
    for (TagCapsule* capsule : m_capsules->widgets())
        stops.append(capsule->remove);
    stops.append(m_draft);
    TabOrder::chain(TabOrder::stopBefore(m_draft, this), stops);
    updateGeometry();
}

int TagField::heightForWidth(int width) const
{
    return m_flow->heightForWidth(width);
}

QSize TagField::sizeHint() const
{
    return m_flow->sizeHint();
}

} // namespace studio
