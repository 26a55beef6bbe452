#pragma once

// A hostile production for the benchmarks: a sample with a megabyte of prose
// in every text field it holds (names, titles, summaries, prompts, tags), as
// a file pasted together by hand or by a runaway assist could hold it. Which
// strings are free text is asked of the reader itself: a string under a key
// is free text when the production still reads with any text there (ids,
// enumerations and the like refuse one); seeds, catalog ids and colours,
// which no field shows, keep theirs.
//
// With it, the stage such a production's screens are measured on (the
// window's backdrop, a screen opened on it and resized with it) and the floor
// they are measured against: Qt's plain text editor holding one such
// megabyte, opened and resized the same way.

#include "ScreenBench.h"

#include "design/style/AuroraBackground.h"
#include "model/Json.h"
#include "model/Project.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <QSet>
#include <QString>
#include <QVBoxLayout>
#include <benchmark/benchmark.h>

namespace studio::bench {

namespace megabyte_detail {

inline void collectStringKeys(const QJsonValue& value, const QString& key, QSet<QString>& keys)
{
    if (value.isString() && !key.isEmpty()) {
        keys.insert(key);
    } else if (value.isArray()) {
        for (const QJsonValue& item : value.toArray())
            collectStringKeys(item, key, keys);
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            collectStringKeys(it.value(), it.key(), keys);
    }
}

// The value with every string under one of `keys` (directly, or as an item
// of an array there) replaced by `text`.
inline QJsonValue replaced(const QJsonValue& value, const QString& key, const QSet<QString>& keys, const QString& text)
{
    if (value.isString())
        return keys.contains(key) ? QJsonValue(text) : value;
    if (value.isArray()) {
        QJsonArray out;
        for (const QJsonValue& item : value.toArray())
            out.append(replaced(item, key, keys, text));
        return out;
    }
    if (value.isObject()) {
        QJsonObject out;
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            out.insert(it.key(), replaced(it.value(), it.key(), keys, text));
        return out;
    }
    return value;
}

inline Project read(const QJsonValue& root)
{
    return json::decode<Project>(QJsonDocument(root.toObject()).toJson(QJsonDocument::Compact));
}

} // namespace megabyte_detail

constexpr qsizetype megabyte = 1'000'000;

// A megabyte of ordinary prose: words, sentences, no line break.
inline QString megabyteOfProse()
{
    const QString sentence = QStringLiteral(
        "The keeper climbs the stair at dusk and counts the steps again, because the light must never fail. ");
    return sentence.repeated(megabyte / sentence.size() + 1).left(megabyte);
}

// A megabyte of prose of its own for each `salt`, so that no cache keyed by
// the text serves two fields filled with it.
inline QString saltedMegabyte(int salt)
{
    const QString prose = QStringLiteral("Salt dries on the glass \u2014 the lamp turns, and nobody\u2019s out there %1. ").arg(salt);
    return prose.repeated(megabyte / prose.size() + 1).left(megabyte);
}

// Resizes `shown` between the feature window and the least window, one
// resize an iteration, laid out and painted.
inline void resizeBetweenWindows(benchmark::State& state, QWidget& shown)
{
    int n = 0;
    for (auto _ : state) {
        shown.resize(n++ % 2 ? featureWindow : QSize(1080, 700));
        settle();
        benchmark::DoNotOptimize(shown.grab());
    }
}

// The floors of a screen measured that way: a plain text editor opening,
// and resized with, one salted megabyte in the feature window.
inline void openPlainEditorOnSaltedMegabyte(benchmark::State& state)
{
    const QString text = saltedMegabyte(0);
    openAndLeave(state, Timed::opening, [&] { return opened(plainEditor(text), featureWindow); });
}

inline void resizePlainEditorOnSaltedMegabyte(benchmark::State& state)
{
    auto editor = opened(plainEditor(saltedMegabyte(0)), featureWindow);
    resizeBetweenWindows(state, *editor);
}

// `sample` with a megabyte of prose in every text field; `fields` is set to
// how many strings were filled.
inline Project megabyteInEveryField(const Project& sample, int* fields = nullptr)
{
    using namespace megabyte_detail;
    const QJsonValue root = json::toObject(sample);
    QSet<QString> keys;
    collectStringKeys(root, QString(), keys);
    QSet<QString> freeText;
    for (const QString& key : std::as_const(keys)) {
        if (key.endsWith(QLatin1String("Seed")) || key.endsWith(QLatin1String("ID"))
            || key.endsWith(QLatin1String("Hex")))
            continue;
        try {
            read(replaced(root, QString(), {key}, QStringLiteral("x")));
            freeText.insert(key);
        } catch (const DecodingError&) {
        }
    }
    if (fields) {
        // Count the strings by marking them one character long first.
        const QJsonValue marked = replaced(root, QString(), freeText, QStringLiteral("\x01"));
        const QByteArray text = QJsonDocument(marked.toObject()).toJson(QJsonDocument::Compact);
        *fields = int(text.count("\"\\u0001\""));
    }
    return read(replaced(root, QString(), freeText, megabyteOfProse()));
}

// The window's backdrop, shown once: a screen opened on it is laid out and
// the window painted once, as the workspace does when the phase changes; a
// resize moves the window between its full and its least size and paints.
class MegabyteStage {
public:
    static constexpr QSize full{1440, 836};
    static constexpr QSize least{1080, 636};

    MegabyteStage()
    {
        m_backdrop.setReduceMotion(true);
        m_backdrop.resize(full);
        m_layout = new QVBoxLayout(&m_backdrop);
        m_layout->setContentsMargins(0, 0, 0, 0);
        m_backdrop.show();
        settle();
    }

    QWidget* host() { return &m_backdrop; }

    void show(QWidget* screen)
    {
        m_layout->addWidget(screen);
        settle();
    }

    void resize()
    {
        m_backdrop.resize(m_backdrop.size() == full ? least : full);
        settle();
    }

    static void close(QWidget* screen)
    {
        delete screen;
        flushDeletes();
    }

    // Everything the change asked for is done: the layouts, whatever the
    // screen left for later (a long text waits for its width to settle),
    // and one picture of the window.
    void settle()
    {
        bench::settle();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(m_backdrop.grab());
    }

private:
    AuroraBackground m_backdrop;
    QVBoxLayout* m_layout = nullptr;
};

// Opens the screen `open` makes on the stage and closes it again, once an
// iteration, timing the opening by processor time (the machine may be busy).
template <class Open>
void openOnStage(benchmark::State& state, Open open)
{
    MegabyteStage stage;
    for (auto _ : state) {
        const Clock clock;
        QWidget* screen = open(stage.host());
        stage.show(screen);
        clock.stop(state, "open");
        MegabyteStage::close(screen);
    }
}

// Resizes the screen `open` makes, once an iteration, by processor time.
template <class Open>
void resizeOnStage(benchmark::State& state, Open open)
{
    MegabyteStage stage;
    stage.show(open(stage.host()));
    for (auto _ : state) {
        const Clock clock;
        stage.resize();
        clock.stop(state, "resize");
    }
}

// The floor of opening: Qt's plain text editor given a megabyte of prose.
inline void openPlainEditorWithMegabyte(benchmark::State& state)
{
    const QString text = megabyteOfProse();
    MegabyteStage stage;
    for (auto _ : state) {
        const Clock clock;
        auto* editor = new QPlainTextEdit(stage.host());
        editor->setPlainText(text);
        stage.show(editor);
        clock.stop(state, "open");
        MegabyteStage::close(editor);
    }
}

// The floor of a resize: the same editor, shown, taking the window's sizes.
inline void resizePlainEditorWithMegabyte(benchmark::State& state)
{
    MegabyteStage stage;
    auto* editor = new QPlainTextEdit(stage.host());
    editor->setPlainText(megabyteOfProse());
    stage.show(editor);
    for (auto _ : state) {
        const Clock clock;
        stage.resize();
        clock.stop(state, "resize");
    }
}

} // namespace studio::bench
