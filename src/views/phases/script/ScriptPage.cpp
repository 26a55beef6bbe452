#include "views/phases/script/ScriptPage.h"

#include "design/GhostButton.h"
#include "design/Palette.h"
#include "design/PrimaryButton.h"
#include "design/Shapes.h"
#include "design/TextLabel.h"
#include "design/Theme.h"
#include "model/Lookup.h"
#include "model/Text.h"
#include "state/ProjectSession.h"
#include "views/phases/script/ScriptChips.h"
#include "views/phases/script/ScriptElementRow.h"
#include "views/phases/script/ScriptLogic.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QSet>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr qreal cornerRadius = 6;
constexpr int paddingH = 56;
constexpr int paddingV = 46;

QStringList distinct(const QStringList& texts)
{
    QStringList out;
    QSet<QString> seen;
    for (const QString& t : texts) {
        if (!seen.contains(t)) {
            seen.insert(t);
            out << t;
        }
    }
    return out;
}

} // namespace

ScriptPage::ScriptPage(ProjectSession& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_column(new QVBoxLayout(this))
    , m_empty(new QWidget(this))
    , m_addHeading(new PrimaryButton(u"Add Scene Heading"_s, false, m_empty))
    , m_aiDraft(new GhostButton(u"wand.and.stars"_s, u"Draft with AI"_s, Palette::gold(), m_empty))
    , m_chips(new ScriptChips(this))
    , m_rows(m_column, 1)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_column->setContentsMargins(paddingH, paddingV, paddingH, paddingV);
    m_column->setSpacing(0);

    // The empty state: the opening words of a screenplay and two ways to start.
    m_empty->setAttribute(Qt::WA_TranslucentBackground);
    auto* empty = new QVBoxLayout(m_empty);
    empty->setContentsMargins(0, 110, 0, 110);
    empty->setSpacing(10);
    auto* fadeIn = new TextLabel(u"FADE IN:"_s, Theme::font(12, QFont::DemiBold), Palette::paperInkSoft(), m_empty);
    auto* hint = new TextLabel(u"Start with a scene heading, or draft from your story beats."_s, Theme::font(11),
                               Palette::paperInkSoft(), m_empty);
    empty->addWidget(fadeIn, 0, Qt::AlignHCenter);
    empty->addWidget(hint, 0, Qt::AlignHCenter);
    empty->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    buttons->addWidget(m_addHeading, 0, Qt::AlignVCenter);
    buttons->addWidget(m_aiDraft, 0, Qt::AlignVCenter);
    buttons->addStretch(1);
    empty->addLayout(buttons);
    m_column->addWidget(m_empty);
    connect(m_addHeading, &QAbstractButton::clicked, this, &ScriptPage::addSceneHeadingRequested);
    connect(m_aiDraft, &QAbstractButton::clicked, this, &ScriptPage::aiDraftRequested);

    m_chips->hide();
}

ScriptPage::~ScriptPage() = default;

void ScriptPage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    shapes::fillRounded(p, rect(), cornerRadius, Palette::paper());
}

void ScriptPage::refresh()
{
    const Episode* episode = findActiveEpisode(m_session.project(), m_session.activeEpisodeID());
    static const QList<ScriptElement> none;
    const QList<ScriptElement>& elements = episode ? episode->script.elements : none;

    m_empty->setVisible(elements.isEmpty());
    parkFocusIfLeaving(elements);
    m_rows.sync(
        elements, [](const ScriptElement& e) { return e.id; },
        [this](const ScriptElement& e) { return makeRow(e); },
        [this](ScriptElementRow* row, const ScriptElement& e, int) {
            row->setElement(e);
            row->setHovered(e.id == m_hoveredID);
        });
    placeChips();
}

ScriptElementRow* ScriptPage::makeRow(const ScriptElement& element)
{
    auto* row = new ScriptElementRow(element.id, this);
    connect(row, &ScriptElementRow::textEdited, this, [this](const QUuid& id, const QString& text) {
        editElement(id, [&text](ScriptElement& e, const Project&) { e.text = text; });
    });
    connect(row, &ScriptElementRow::submitted, this, &ScriptPage::insertAfter);
    connect(row, &ScriptElementRow::removeRequested, this, &ScriptPage::remove);
    connect(row, &ScriptElementRow::kindPicked, this, &ScriptPage::changeKind);
    connect(row, &ScriptElementRow::hoverChanged, this, [this](const QUuid& id, bool hovered) {
        if (hovered)
            setHoveredID(id);
        else if (m_hoveredID == id)
            setHoveredID(QUuid());
    });
    connect(row, &ScriptElementRow::textFocusChanged, this, &ScriptPage::textFocusChanged);
    return row;
}

// A row about to be removed would hand the focus to the next row in the
// chain (Qt moves it off a hidden widget), which would then show its chips;
// the page holds the focus instead, so nothing looks focused.
void ScriptPage::parkFocusIfLeaving(const QList<ScriptElement>& elements)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !isAncestorOf(focus))
        return;
    for (ScriptElementRow* row : m_rows.widgets()) {
        if (row && row->isAncestorOf(focus)) {
            const bool stays = std::any_of(elements.cbegin(), elements.cend(),
                                           [&](const ScriptElement& e) { return e.id == row->id(); });
            if (!stays)
                setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

ScriptElementRow* ScriptPage::row(const QUuid& id) const
{
    return m_rows.widget(id);
}

QWidget* ScriptPage::chips() const
{
    return m_chipHost ? m_chips : nullptr;
}

QStringList ScriptPage::chipLabels() const
{
    return m_chipHost ? m_chips->labels() : QStringList();
}

void ScriptPage::setHoveredID(const QUuid& id)
{
    if (id == m_hoveredID)
        return;
    if (ScriptElementRow* old = row(m_hoveredID))
        old->setHovered(false);
    m_hoveredID = id;
    if (ScriptElementRow* now = row(id))
        now->setHovered(true);
}

void ScriptPage::textFocusChanged(const QUuid& id, bool focused)
{
    if (focused)
        m_focusedID = id;
    else if (m_focusedID == id)
        m_focusedID = QUuid();
    placeChips();
}

void ScriptPage::focusElement(const QUuid& id)
{
    m_focusedID = id;
    ScriptElementRow* target = row(id);
    if (target)
        target->focusText();
    placeChips();
    if (target)
        Q_EMIT revealRequested(target);
}

void ScriptPage::focusElementLater(const QUuid& id)
{
    // The edit that made the element has refreshed the page, so its row is
    // normally there already: focus it now, so that keys a fast typist sends
    // before the event loop turns land in it rather than in the row left
    // behind. Bringing it into view waits for the layouts to run. The page
    // is the context: a page rebuilt or gone meanwhile drops the call.
    if (ScriptElementRow* target = row(id)) {
        m_focusedID = id;
        target->focusText();
        placeChips();
        QTimer::singleShot(0, this, [this, id] {
            if (ScriptElementRow* shown = row(id); shown && m_focusedID == id)
                Q_EMIT revealRequested(shown);
        });
        return;
    }
    QTimer::singleShot(0, this, [this, id] { focusElement(id); });
}

const ScriptElement* ScriptPage::findShown(const QUuid& id) const
{
    const Episode* episode = findActiveEpisode(m_session.project(), m_session.activeEpisodeID());
    return episode ? findScriptElement(*episode, id) : nullptr;
}

void ScriptPage::placeChips()
{
    ScriptElementRow* host = m_focusedID.isNull() ? nullptr : row(m_focusedID);
    QList<ScriptChips::Entry> entries;
    if (host) {
        if (const ScriptElement* element = findShown(m_focusedID))
            entries = chipEntries(*element);
    }
    if (entries.isEmpty())
        host = nullptr;
    if (host != m_chipHost) {
        if (m_chipHost)
            m_chipHost->setAccessory(nullptr, this);
        m_chipHost = host;
        if (host)
            host->setAccessory(m_chips, this);
    }
    if (host)
        m_chips->setEntries(m_focusedID, entries);
}

QList<ScriptChips::Entry> ScriptPage::chipEntries(const ScriptElement& element)
{
    const Project& project = m_session.project();
    const QUuid id = element.id;
    QList<ScriptChips::Entry> entries;
    if (element.kind == ScriptElementKind::character) {
        QStringList names;
        for (const CastMember& member : project.cast)
            names << member.name;
        for (const QString& name : distinct(names))
            entries.append({name, [this, id, name] { pickCastName(id, name); }});
    } else if (element.kind == ScriptElementKind::sceneHeading) {
        for (const QString& prefix : {u"INT."_s, u"EXT."_s})
            entries.append({prefix, [this, id, prefix] { pickHeadingPart(id, prefix, std::nullopt, std::nullopt); }});
        QStringList places;
        for (const Location& location : project.locations)
            places << location.name;
        for (const QString& place : distinct(places))
            entries.append({place, [this, id, place] { pickHeadingPart(id, std::nullopt, place, std::nullopt); }});
        for (const QString& time : {u"DAY"_s, u"NIGHT"_s, u"DUSK"_s, u"DAWN"_s})
            entries.append({time, [this, id, time] { pickHeadingPart(id, std::nullopt, std::nullopt, time); }});
    }
    return entries;
}

bool ScriptPage::editScript(const std::function<void(ScriptDocument&)>& change)
{
    const QUuid active = m_session.activeEpisodeID();
    return m_session.edit([&](Project& p) {
        if (Episode* episode = findActiveEpisode(p, active))
            change(episode->script);
    });
}

bool ScriptPage::editElement(const QUuid& id, const std::function<void(ScriptElement&, const Project&)>& change)
{
    const QUuid active = m_session.activeEpisodeID();
    return m_session.edit([&](Project& p) {
        Episode* episode = findActiveEpisode(p, active);
        if (ScriptElement* element = episode ? findScriptElement(*episode, id) : nullptr)
            change(*element, p);
    });
}

void ScriptPage::insertAfter(const QUuid& id)
{
    std::optional<QUuid> inserted;
    editScript([&](ScriptDocument& script) {
        const auto found = std::find_if(script.elements.cbegin(), script.elements.cend(),
                                        [&](const ScriptElement& e) { return e.id == id; });
        if (found != script.elements.cend())
            inserted = script::insertAfter(script, id, script::nextKind(found->kind));
    });
    if (inserted)
        focusElementLater(*inserted);
}

void ScriptPage::remove(const QUuid& id)
{
    editScript([&](ScriptDocument& script) {
        script.elements.removeIf([&](const ScriptElement& e) { return e.id == id; });
    });
}

void ScriptPage::changeKind(const QUuid& id, ScriptElementKind kind)
{
    editElement(id, [kind](ScriptElement& e, const Project&) { e.kind = kind; });
}

void ScriptPage::pickCastName(const QUuid& id, const QString& name)
{
    editElement(id, [&name](ScriptElement& e, const Project&) { e.text = text::upper(name); });
    if (ScriptElementRow* picked = row(id))
        picked->moveCaretToEnd();
}

void ScriptPage::pickHeadingPart(const QUuid& id, const std::optional<QString>& prefix,
                                 const std::optional<QString>& location, const std::optional<QString>& time)
{
    editElement(id, [&](ScriptElement& e, const Project& p) {
        e.text = script::setHeading(e.text, prefix, location, time, p.locations);
    });
    if (ScriptElementRow* picked = row(id))
        picked->moveCaretToEnd();
}

void ScriptPage::setAssistBusy(bool busy)
{
    m_aiDraft->setText(busy ? u"Writing\u2026"_s : u"Draft with AI"_s);
    m_aiDraft->setEnabled(!busy);
}

} // namespace studio
