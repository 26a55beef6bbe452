#pragma once

// The Script screen in a window of its own, on a production made for the
// case, for the tests that drive it.

#include "design/text/PlainTextEditor.h"
#include "model/Lookup.h"
#include "state/ProjectSession.h"
#include "views/phases/script/ScriptCapsule.h"
#include "views/phases/script/ScriptChips.h"
#include "views/phases/script/ScriptPage.h"
#include "views/phases/script/ScriptView.h"

#include <QTextEdit>
#include <QtTest>

#include <memory>

namespace studio::test {

using namespace Qt::StringLiterals;

inline ScriptElement element(ScriptElementKind kind, const QString& text = QString())
{
    return ScriptElement{.kind = kind, .text = text};
}

inline Project production(const QList<ScriptElement>& elements, const QStringList& cast = {},
                          const QStringList& places = {u"Harbor"_s})
{
    Project p;
    p.episodes.first().script.elements = elements;
    for (const QString& name : cast) {
        CastMember m;
        m.name = name;
        p.cast << m;
    }
    for (const QString& name : places) {
        Location l;
        l.name = name;
        p.locations << l;
    }
    return p;
}

inline const QList<ScriptElement>& elementsOf(const ProjectSession& session)
{
    return findActiveEpisode(session.project(), session.activeEpisodeID())->script.elements;
}

// The screen in a window of its own, shown and active.
struct Screen {
    ProjectSession session;
    std::unique_ptr<ScriptView> view;

    explicit Screen(const Project& project)
        : session(project)
        , view(std::make_unique<ScriptView>(session))
    {
        view->resize(1000, 700);
        view->show();
        view->activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(view.get()); }
    ScriptPage* page() const { return view->page(); }
    QUuid id(int index) const { return elementsOf(session).value(index).id; }
    QTextEdit* edit() const { return page()->textEdit(); }
    bool focused(int index) const { return page()->hasTextFocus(id(index)); }
    // The pointer over the element's text.
    void hover(int index) { QTest::mouseMove(page(), page()->textRect(id(index)).center()); }
    void focus(int index)
    {
        page()->focusElement(elementsOf(session).at(index).id);
        QCoreApplication::processEvents();
    }
    ScriptCapsule* chip(const QString& label) const
    {
        auto* chips = qobject_cast<ScriptChips*>(page()->chips());
        if (!chips)
            return nullptr;
        for (ScriptCapsule* c : chips->buttons()) {
            if (c->label() == label)
                return c;
        }
        return nullptr;
    }
};

} // namespace studio::test
