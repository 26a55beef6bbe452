#include "design/focus/FocusHandOver.h"
#include "design/focus/SheetArrival.h"
#include "design/widgets/CardSurface.h"
#include "design/widgets/Chip.h"
#include "design/widgets/EmptyStateView.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/FlowLayout.h"
#include "design/widgets/GhostButton.h"
#include "design/widgets/LabeledSlider.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/PrimaryButton.h"
#include "design/widgets/ProgressRing.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/SheetDialog.h"
#include "design/text/SleekTextEditor.h"
#include "design/text/SleekTextField.h"
#include "design/widgets/Slider.h"
#include "design/widgets/TagField.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "design/widgets/ToolbarIconButton.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace studio;

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    // What a sheet that opens by itself does to the keyboard is watched
    // application-wide.
    void initTestCase()
    {
        FocusHandOver::install(*qApp);
        SheetArrival::install(*qApp);
    }

    void tagCommit_data()
    {
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QString>("draft");
        QTest::addColumn<QStringList>("result");
        QTest::newRow("blank adds nothing") << QStringList{"rain"} << " \n\t " << QStringList{"rain"};
        QTest::newRow("trimmed") << QStringList{} << "  salt air \n" << QStringList{"salt air"};
        QTest::newRow("duplicate") << QStringList{"rain"} << " rain " << QStringList{"rain"};
        QTest::newRow("case differs") << QStringList{"Rain"} << "rain" << QStringList{"Rain", "rain"};
        QTest::newRow("canonically equal") << QStringList{QString::fromUtf8("caf\xC3\xA9")}
                                           << QString::fromUtf8("cafe\xCC\x81")
                                           << QStringList{QString::fromUtf8("caf\xC3\xA9")};
        QTest::newRow("appended at the end") << QStringList{"a", "b"} << "c" << QStringList{"a", "b", "c"};
    }
    void tagCommit()
    {
        QFETCH(QStringList, tags);
        QFETCH(QString, draft);
        QTEST(TagField::committed(tags, draft), "result");
    }

    void tagRemove_data()
    {
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("result");
        QTest::newRow("every copy goes") << QStringList{"a", "b", "a", "c"} << "a" << QStringList{"b", "c"};
        QTest::newRow("case kept") << QStringList{"A", "a"} << "a" << QStringList{"A"};
        QTest::newRow("absent") << QStringList{"a"} << "z" << QStringList{"a"};
    }
    void tagRemove()
    {
        QFETCH(QStringList, tags);
        QFETCH(QString, tag);
        QTEST(TagField::removing(tags, tag), "result");
    }

    void tagFieldWritesOnlyOnUserAction()
    {
        TagField field(QStringLiteral("Add a word"));
        QSignalSpy edited(&field, &TagField::tagsEdited);
        // With no tags the draft field is the only child of the flow.
        auto* flow = field.findChild<FlowLayout*>();
        QVERIFY(flow);
        QCOMPARE(flow->count(), 1);
        QCOMPARE(flow->itemAt(0)->widget(), field.draftEdit());

        field.setTags({"rain", "rain", "fog"});
        QCOMPARE(edited.count(), 0);
        QCOMPARE(flow->count(), 4);
        QCOMPARE(flow->indexOf(field.draftEdit()), 3);

        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        field.draftEdit()->setFocus();
        QTest::keyClicks(field.draftEdit(), QStringLiteral("  neon "));
        QTest::keyClick(field.draftEdit(), Qt::Key_Return);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.takeFirst().at(0).toStringList(), (QStringList{"rain", "rain", "fog", "neon"}));
        QVERIFY(field.draftEdit()->text().isEmpty());
        QVERIFY(field.draftEdit()->hasFocus());

        QTest::keyClicks(field.draftEdit(), QStringLiteral("fog"));
        QTest::keyClick(field.draftEdit(), Qt::Key_Return);
        QCOMPARE(edited.count(), 0);
        QVERIFY(field.draftEdit()->text().isEmpty());

        // Either remove button of a doubled tag removes both copies.
        QList<QAbstractButton*> removes;
        for (auto* b : field.findChildren<QAbstractButton*>())
            if (b->accessibleName() == QStringLiteral("Remove rain") && b->isVisible())
                removes.append(b);
        QCOMPARE(removes.size(), 2);
        QTest::mouseClick(removes.last(), Qt::LeftButton);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.takeFirst().at(0).toStringList(), (QStringList{"fog", "neon"}));
        QCOMPARE(field.tags(), (QStringList{"fog", "neon"}));
    }

    void tagFieldKeepsADraftItLoses_data()
    {
        QTest::addColumn<QString>("leaving");
        for (const char* way : {"Tab", "a click elsewhere", "another window", "the field hidden", "the field deleted",
                                "hidden behind a sheet that opened by itself"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }
    void tagFieldKeepsADraftItLoses()
    {
        // Every way of leaving the draft commits it as Return would; the
        // draft's own context menu leaves it being typed.
        QFETCH(QString, leaving);
        QWidget host;
        auto* column = new QVBoxLayout(&host);
        auto* field = new TagField(QStringLiteral("Add a word"));
        auto* next = new QLineEdit;
        column->addWidget(field);
        column->addWidget(next);
        field->setTags({"rain"});
        QStringList edited;
        connect(field, &TagField::tagsEdited, this, [&edited](const QStringList& tags) { edited = tags; });
        host.show();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        field->draftEdit()->setFocus();
        QTest::keyClicks(field->draftEdit(), QStringLiteral("memory"));
        QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(field->draftEdit(), &popup);
        QVERIFY(edited.isEmpty());
        QWidget other;
        if (leaving == u"Tab") {
            QTest::keyClick(field->draftEdit(), Qt::Key_Tab);
            QVERIFY(next->hasFocus());
        } else if (leaving == u"a click elsewhere") {
            QTest::mouseClick(next, Qt::LeftButton);
        } else if (leaving == u"another window") {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        } else if (leaving == u"the field hidden") {
            field->hide();
        } else if (leaving.startsWith(u"hidden behind")) {
            // The sheet takes the keyboard, not the user: the draft waits,
            // until the field goes, the sheet still open.
            auto* sheet = new SheetDialog(&host, QSize(200, 100));
            sheet->setFocus();
            sheet->markOpensByItself();
            sheet->present();
            QTRY_COMPARE(QApplication::focusWidget(), sheet);
            QVERIFY(edited.isEmpty());
            field->hide();
            QCOMPARE(edited, (QStringList{"rain", "memory"}));
        } else {
            delete field;
        }
        QTRY_COMPARE(edited, (QStringList{"rain", "memory"}));
        if (leaving != u"the field deleted") {
            QCOMPARE(field->tags(), edited);
            QVERIFY(field->draftEdit()->text().isEmpty());
        }
    }

    void tagFieldTakesTheHeightOfItsRows()
    {
        // Tags that share one row at a wide width wrap in a narrow column: the
        // layout must give the field the height of all its rows, draft included.
        QWidget host;
        auto* column = new QVBoxLayout(&host);
        column->setContentsMargins(0, 0, 0, 0);
        auto* field = new TagField(QStringLiteral("Add a word"));
        column->addWidget(field);
        column->addStretch(1);
        field->setTags({"rain", "fog", "neon"});
        host.resize(200, 400);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        QVERIFY(field->heightForWidth(field->width()) > field->sizeHint().height());
        QCOMPARE(field->height(), field->heightForWidth(field->width()));
        QVERIFY(field->draftEdit()->geometry().bottom() < field->height());
    }

    void tagFieldTakesTheKeyboardWhereverClicked()
    {
        // A click on the field beside its draft (the row's bare stretch, a
        // capsule's body) gives the draft the keyboard: the words typed next
        // go there, not to the field the keyboard was in.
        QWidget host;
        auto* column = new QVBoxLayout(&host);
        auto* before = new QLineEdit;
        auto* field = new TagField(QStringLiteral("Add a word"));
        column->addWidget(before);
        column->addWidget(field);
        field->setTags({"rain"});
        host.resize(600, 200);
        host.show();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        QWidget* capsule = field->childAt(2, field->draftEdit()->geometry().center().y());
        QVERIFY(capsule && capsule != field->draftEdit());
        const QList<std::pair<QWidget*, QPoint>> clicks{
            {field, QPoint(field->width() - 10, field->draftEdit()->geometry().center().y())},
            {capsule, QPoint(2, capsule->height() / 2)}};
        for (const auto& [target, at] : clicks) {
            before->setFocus();
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            QTRY_VERIFY(field->draftEdit()->hasFocus());
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("fog"));
            QVERIFY(before->text().isEmpty());
            QCOMPARE(field->draftEdit()->text(), QStringLiteral("fog"));
            field->draftEdit()->clear();
        }
    }

    void chipNeverChangesItself()
    {
        Chip chip(QStringLiteral("Drama"), false);
        QSignalSpy clicked(&chip, &QAbstractButton::clicked);
        chip.setOn(true);
        QCOMPARE(clicked.count(), 0);
        chip.resize(chip.sizeHint());
        QTest::mouseClick(&chip, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(chip.isOn());
        chip.setInteractive(false);
        QTest::mouseClick(&chip, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    void pillPickerWritesOnlyOnUserAction()
    {
        enum class Ratio { wide, square, tall };
        PillPicker picker;
        picker.setOptions<int>({{int(Ratio::wide), "2.39"}, {int(Ratio::square), "1:1"}, {int(Ratio::tall), "9:16"}});
        QSignalSpy picked(&picker, &PillPicker::picked);
        picker.setSelection(int(Ratio::square));
        QCOMPARE(picker.selectedIndex(), 1);
        picker.setSelection(42);
        QCOMPARE(picker.selectedIndex(), -1);
        QCOMPARE(picked.count(), 0);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QTest::mouseClick(picker.pill(2), Qt::LeftButton);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.takeFirst().at(0).toInt(), 2);
        QCOMPARE(picker.value<int>(2), int(Ratio::tall));
        QCOMPARE(picker.selectedIndex(), 2);
        QTest::mouseClick(picker.pill(2), Qt::LeftButton);
        QCOMPARE(picked.count(), 0);
        // The same options again keep the selection.
        picker.setOptions<int>({{int(Ratio::wide), "2.39"}, {int(Ratio::square), "1:1"}, {int(Ratio::tall), "9:16"}});
        QCOMPARE(picker.selectedIndex(), 2);
    }

    void sliderWritesOnlyOnUserAction()
    {
        LabeledSlider dial(QStringLiteral("Energy"), QStringLiteral("Still"), QStringLiteral("Frantic"));
        QSignalSpy edited(&dial, &LabeledSlider::valueEdited);
        dial.setValue(0.3);
        dial.setValue(1.7); // out of range: shown at the end, never written back
        dial.setValue(std::numeric_limits<double>::quiet_NaN());
        dial.setValue(-4);
        QCOMPARE(edited.count(), 0);
        dial.setValue(1.7);
        QCOMPARE(dial.position(), 1.0);
        dial.resize(240, dial.sizeHint().height());
        dial.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dial));
        Slider* slider = dial.slider();
        // Keys and a press past the end both stay inside 0..1.
        QTest::keyClick(slider, Qt::Key_Right);
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 1, slider->height() / 2));
        QTest::keyClick(slider, Qt::Key_Left);
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(0, slider->height() / 2));
        QVERIFY(edited.count() >= 2);
        for (const auto& args : edited) {
            const double v = args.at(0).toDouble();
            QVERIFY2(v >= 0.0 && v <= 1.0, qPrintable(QString::number(v)));
        }
        QCOMPARE(edited.last().at(0).toDouble(), 0.0);
        // A refresh during a drag waits for the release.
        edited.clear();
        const QPoint middle(slider->width() / 2, slider->height() / 2);
        QTest::mousePress(slider, Qt::LeftButton, {}, middle);
        const double dragged = slider->position();
        dial.setValue(0.9);
        QCOMPARE(slider->position(), dragged);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, middle);
        QCOMPARE(slider->position(), 0.9);
        QCOMPARE(edited.count(), 1); // the press only
    }

    void continuousSliderStepsFromItsValue()
    {
        // A tone dial holding a value between the knob's positions: keys and
        // the wheel move it by whole steps from that value, never onto the
        // knob's own grid.
        LabeledSlider dial(QStringLiteral("Energy"), QStringLiteral("Still"), QStringLiteral("Frantic"));
        QSignalSpy edited(&dial, &LabeledSlider::valueEdited);
        dial.setValue(0.590612345);
        dial.resize(240, dial.sizeHint().height());
        dial.show();
        dial.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dial));
        Slider* slider = dial.slider();
        slider->setFocus();
        QTRY_VERIFY(slider->hasFocus());
        const auto lastEdit = [&] { return edited.isEmpty() ? -1.0 : edited.last().at(0).toDouble(); };
        const auto near = [](double a, double b) { return std::abs(a - b) < 1e-12; };

        QTest::keyClick(slider, Qt::Key_Left);
        QVERIFY2(near(lastEdit(), 0.580612345), qPrintable(QString::number(lastEdit(), 'g', 17)));
        QTest::keyClick(slider, Qt::Key_PageUp);
        QVERIFY2(near(lastEdit(), 0.680612345), qPrintable(QString::number(lastEdit(), 'g', 17)));
        const QPointF at(slider->width() / 2.0, slider->height() / 2.0);
        QWheelEvent up(at, slider->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(slider, &up);
        QVERIFY2(near(lastEdit(), 0.690612345), qPrintable(QString::number(lastEdit(), 'g', 17)));

        // Past the end: stepping back starts from the end of the track, and
        // stepping further out writes nothing.
        dial.setValue(1.7);
        edited.clear();
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(edited.count(), 0);
        QTest::keyClick(slider, Qt::Key_Left);
        QVERIFY2(near(lastEdit(), 0.99), qPrintable(QString::number(lastEdit(), 'g', 17)));
        // Just short of the end, a step reaches the end exactly.
        dial.setValue(0.99996);
        QTest::keyClick(slider, Qt::Key_Right);
        QCOMPARE(lastEdit(), 1.0);
    }

    void steppedSliderWritesOnlyGridValues()
    {
        Slider slider(0, 10);
        slider.setStep(2.5);
        QSignalSpy edited(&slider, &Slider::valueEdited);
        // Stored values off the grid or out of range are shown as they are.
        slider.setValue(14);
        QCOMPARE(slider.position(), 10.0);
        slider.setValue(3.7);
        QCOMPARE(slider.position(), 3.7);
        QCOMPARE(edited.size(), 0);

        slider.resize(220, slider.sizeHint().height());
        slider.show();
        QVERIFY(QTest::qWaitForWindowExposed(&slider));
        // A key moves one step, onto the grid, from where the knob is.
        QTest::keyClick(&slider, Qt::Key_Right);
        QTest::keyClick(&slider, Qt::Key_Right);
        QTest::keyClick(&slider, Qt::Key_Left);
        const QList<double> keys{5.0, 7.5, 5.0};
        QCOMPARE(edited.size(), keys.size());
        for (qsizetype i = 0; i < keys.size(); ++i)
            QCOMPARE(edited.at(i).at(0).toDouble(), keys.at(i));
        QCOMPARE(slider.position(), 5.0);

        // A drag writes each grid value it reaches once, and only those.
        edited.clear();
        const int y = slider.height() / 2;
        QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(12, y));
        for (int x = 14; x < slider.width(); x += 3)
            QTest::mouseMove(&slider, QPoint(x, y));
        QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(slider.width() - 1, y));
        QList<double> written;
        for (const auto& args : edited)
            written.append(args.at(0).toDouble());
        QCOMPARE(written, (QList<double>{0.0, 2.5, 5.0, 7.5, 10.0}));
        QCOMPARE(slider.position(), 10.0);

        // The grid starts at the minimum and never passes the maximum.
        Slider odd(1, 11);
        odd.setStep(3);
        QCOMPARE(odd.snapped(2.4), 1.0);
        QCOMPARE(odd.snapped(10.9), 10.0);
        QCOMPARE(odd.snapped(-5), 1.0);
    }

    void textFieldWritesOnlyOnUserAction()
    {
        SleekTextField field(QStringLiteral("Logline"), QStringLiteral("One sentence"));
        QSignalSpy edited(&field, &SleekTextField::textEdited);
        field.setText(QStringLiteral("A keeper"));
        QCOMPARE(edited.count(), 0);
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        field.lineEdit()->setFocus();
        field.lineEdit()->setCursorPosition(2);
        QTest::keyClicks(field.lineEdit(), QStringLiteral("x"));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.last().at(0).toString(), QStringLiteral("A xkeeper"));
        // A refresh with the same text leaves the caret alone.
        field.setText(QStringLiteral("A xkeeper"));
        QCOMPARE(field.lineEdit()->cursorPosition(), 3);
        QCOMPARE(edited.count(), 1);
        QCOMPARE(field.label()->text(), QStringLiteral("LOGLINE"));
    }

    void textEditorWritesOnlyOnUserAction()
    {
        SleekTextEditor editor(QStringLiteral("Premise"), QStringLiteral("What happens"), 80, 13);
        QSignalSpy edited(&editor, &SleekTextEditor::textEdited);
        QVERIFY(editor.isPlaceholderShown());
        editor.setText(QStringLiteral(" "));
        QVERIFY(!editor.isPlaceholderShown());
        editor.setText(QStringLiteral("First line\nsecond"));
        QCOMPARE(edited.count(), 0);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QVERIFY(editor.height() >= 80 + 6);
        editor.textEdit()->setFocus();
        QTextCursor c = editor.textEdit()->textCursor();
        c.setPosition(5);
        editor.textEdit()->setTextCursor(c);
        QTest::keyClicks(editor.textEdit(), QStringLiteral("!"));
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.last().at(0).toString(), QStringLiteral("First! line\nsecond"));
        // A change from elsewhere keeps the caret's offset.
        editor.setText(QStringLiteral("First! line\nsecond, longer"));
        QCOMPARE(editor.textEdit()->textCursor().position(), 6);
        QCOMPARE(edited.count(), 1);
    }

    void ringFraction_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("fraction");
        QTest::newRow("above one") << 1.4 << 1.0;
        QTest::newRow("below zero") << -0.2 << 0.0;
        QTest::newRow("quarter") << 0.25 << 0.25;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0.0;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 1.0;
    }
    void ringFraction()
    {
        QFETCH(double, value);
        QTEST(ProgressRing::clampedFraction(value), "fraction");
    }

    void ringQuarterRunsFromTwelveToThree()
    {
        ProgressRing ring(40, 4);
        ring.setValue(0.25);
        QImage img(40, 40, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::black);
        ring.render(&img);
        const auto isGold = [&img](int x, int y) {
            const QColor c = img.pixelColor(x, y);
            return c.red() > 150 && c.red() > c.blue() + 40;
        };
        QVERIFY(isGold(24, 2));  // just past 12 o'clock
        QVERIFY(isGold(38, 16)); // just before 3 o'clock
        QVERIFY(!isGold(20, 38)); // 6 o'clock: track only
        QVERIFY(!isGold(2, 20));  // 9 o'clock
        QVERIFY(!isGold(15, 2)); // just before 12: the arc grows clockwise
    }

    void emptyStateButtonNeedsTitleAndAction()
    {
        int calls = 0;
        EmptyStateView both(QStringLiteral("scissors"), QStringLiteral("Nothing"), QStringLiteral("Why"),
                            QStringLiteral("Assemble"), [&calls] { ++calls; });
        QVERIFY(both.actionButton());
        QCOMPARE(both.actionButton()->text(), QStringLiteral("Assemble"));
        both.show();
        QVERIFY(QTest::qWaitForWindowExposed(&both));
        QTest::mouseClick(both.actionButton(), Qt::LeftButton);
        QCOMPARE(calls, 1);
        EmptyStateView titleOnly(QStringLiteral("map"), QStringLiteral("No world"), QStringLiteral("m"),
                                 QStringLiteral("Add"), {});
        QVERIFY(!titleOnly.actionButton());
        EmptyStateView actionOnly(QStringLiteral("map"), QStringLiteral("No world"), QStringLiteral("m"),
                                  std::nullopt, [] {});
        QVERIFY(!actionOnly.actionButton());
    }

    void toolbarIconButtonIsSquare()
    {
        for (const QString& name : {QStringLiteral("plus"), QStringLiteral("square.stack.3d.down.right.fill")}) {
            ToolbarIconButton button(name, QStringLiteral("Add scene"));
            QCOMPARE(button.sizeHint(), QSize(28, 28));
            QCOMPARE(button.size(), QSize(28, 28));
            QCOMPARE(button.toolTip(), QStringLiteral("Add scene"));
        }
    }

    void captionsAndHeaders()
    {
        FieldLabel label(QStringLiteral("Logline"));
        QCOMPARE(label.text(), QStringLiteral("LOGLINE"));
        label.setCaption(QString::fromUtf8("Stra\xC3\x9F" "e"));
        QCOMPARE(label.text(), QStringLiteral("STRASSE"));
        SectionHeader header(QStringLiteral("Scenes"));
        QVERIFY(header.subtitleLabel()->isHidden());
        header.setSubtitle(QStringLiteral("3 total"));
        QVERIFY(!header.subtitleLabel()->isHidden());
        header.setSubtitle(std::nullopt);
        QVERIFY(header.subtitleLabel()->isHidden());
    }

    void ampersandsShowAsTyped()
    {
        GhostButton ghost(QStringLiteral("Sound & Music"), QColor(Qt::white));
        QCOMPARE(ghost.text(), QStringLiteral("Sound & Music"));
        QCOMPARE(static_cast<QAbstractButton&>(ghost).text(), QStringLiteral("Sound && Music"));
        QVERIFY(ghost.shortcut().isEmpty());
        Chip chip(QStringLiteral("R&B"), false);
        QVERIFY(chip.shortcut().isEmpty());
    }

    void textLabelElidesAndClamps()
    {
        TextLabel single(QStringLiteral("A rather long line of text that will not fit"), QFont(), Qt::white);
        single.resize(60, single.sizeHint().height());
        QVERIFY(single.isElided());
        single.resize(single.sizeHint());
        QVERIFY(!single.isElided());

        TextLabel wrapped(QStringLiteral("one two three four five six seven eight nine ten eleven twelve"), QFont(),
                          Qt::white);
        wrapped.setWordWrap(true);
        const int oneLine = wrapped.heightForWidth(10000);
        QVERIFY(wrapped.heightForWidth(60) > 3 * oneLine);
        wrapped.setMaxLines(2);
        QCOMPARE(wrapped.heightForWidth(60), 2 * oneLine);
        wrapped.resize(60, 2 * oneLine);
        QVERIFY(wrapped.isElided());
        // A label narrower than its layout wraps at its own limit.
        wrapped.setMaxLines(0);
        wrapped.setMaximumWidth(80);
        QCOMPARE(wrapped.heightForWidth(1000), wrapped.heightForWidth(80));

        // At its own natural width a wrapped label keeps each paragraph on one
        // line, even where the last glyph reaches past its advance ("k").
        for (const QString& text : {QStringLiteral("Dark"), QStringLiteral("Walk back"), QStringLiteral("fi\nk")}) {
            TextLabel natural(text, Theme::font(type::label), Qt::white);
            natural.setWordWrap(true);
            QCOMPARE(natural.sizeHint().height(), natural.heightForWidth(10000));
            QCOMPARE(natural.heightForWidth(natural.sizeHint().width()), natural.heightForWidth(10000));
        }
    }

    void textLabelChangedAnswersAsNew()
    {
        // A label measured and painted at many widths, then changed, measures
        // and paints as a label made afresh in its new state.
        const QList<int> widths{40, 110, 600};
        const auto render = [](TextLabel& label, int width) {
            QImage img(width, label.heightForWidth(width), QImage::Format_ARGB32);
            img.fill(Qt::transparent);
            label.resize(img.size());
            label.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
            return img;
        };
        TextLabel label(QStringLiteral("short"), QFont(), Qt::white);
        label.setWordWrap(true);
        label.setAlignment(Qt::AlignHCenter);
        const auto matchesFresh = [&](const char* step) {
            TextLabel fresh(label.text(), label.font(), Qt::white);
            fresh.setWordWrap(label.wordWrap());
            fresh.setMaxLines(label.maxLines());
            fresh.setAlignment(Qt::AlignHCenter);
            QVERIFY2(label.sizeHint() == fresh.sizeHint(), step);
            for (const int w : widths) {
                QVERIFY2(label.heightForWidth(w) == fresh.heightForWidth(w), step);
                QVERIFY2(render(label, w) == render(fresh, w), step);
                QVERIFY2(label.isElided() == fresh.isElided(), step);
            }
        };
        matchesFresh("first text");
        label.setText(QStringLiteral("one two three four five six seven eight nine ten eleven twelve"));
        matchesFresh("text");
        QFont larger = label.font();
        larger.setPointSizeF(larger.pointSizeF() * 1.6);
        label.setFont(larger);
        matchesFresh("font");
        label.setMaxLines(2);
        matchesFresh("line limit");
        label.setWordWrap(false);
        matchesFresh("one line");
    }

    void cardOutlineLiesOverContent_data()
    {
        QTest::addColumn<qreal>("radius");
        QTest::newRow("rounded") << qreal(12);
        QTest::newRow("square") << qreal(0);
    }
    void cardOutlineLiesOverContent()
    {
        QFETCH(qreal, radius);
        // Opaque content running to the card's edge, as a picture would.
        const auto opaque = [](QWidget* parent) {
            auto* w = new QWidget(parent);
            w->setAutoFillBackground(true);
            QPalette pal = w->palette();
            pal.setColor(QPalette::Window, Qt::red);
            w->setPalette(pal);
            return w;
        };
        CardSurface card(radius, Qt::black);
        auto* layout = new QVBoxLayout(&card);
        layout->setContentsMargins(0, 0, 0, 0);
        QWidget* first = opaque(nullptr);
        first->setFixedSize(200, 100);
        layout->addWidget(first);
        card.show();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        QCOMPARE(card.size(), QSize(200, 100));
        const auto edgeIsOutlined = [&card] {
            QImage img(card.size(), QImage::Format_ARGB32);
            img.fill(Qt::transparent);
            card.render(&img);
            const QColor inside = img.pixelColor(100, 50);
            const QColor edge = img.pixelColor(100, 0);
            return inside == QColor(Qt::red) && edge.red() == 255 && edge.green() > 10 && edge.green() < 40;
        };
        QVERIFY(edgeIsOutlined());
        // Content added later stays under the outline, which takes no clicks.
        QWidget* later = opaque(&card);
        later->setGeometry(card.rect());
        later->show();
        QVERIFY(edgeIsOutlined());
        QCOMPARE(card.childAt(100, 0), later);
    }

    void pressSpringsBack()
    {
        PrimaryButton button(QStringLiteral("Render all queued"), true);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QCOMPARE(button.pressAmount(), 0.0);
        QTest::mousePress(&button, Qt::LeftButton);
        QTRY_VERIFY(button.pressAmount() > 0.9);
        QTest::mouseRelease(&button, Qt::LeftButton);
        QTRY_COMPARE(button.pressAmount(), 0.0);
    }
};

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"
