#include "numedit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

template <typename Case>
requires requires(const Case &c)
{
    c.name;
}
void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

std::string RowName(const auto &info)
{
    return info.param.name;
}

// A fresh window per test with the field and a second control to move the focus to.
class NumEditWidgetBase {
protected:
    NumEditWidgetBase()
    {
        edit = new TNumEdit(&window);
        other = new QLineEdit(&window);
        other->move(0, 40);
    }

    // Writes the settings in the order a stored window description gives them.
    void applyStored(bool allowDecimal, bool allowMinus, double max, double min)
    {
        edit->setProperty("AllowDecimal", allowDecimal);
        edit->setProperty("AllowMinus", allowMinus);
        edit->setProperty("Max", max);
        edit->setProperty("Min", min);
    }

    bool focusField()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        edit->setFocus();
        return edit->hasFocus();
    }

    QWidget window;
    TNumEdit *edit = nullptr;
    QLineEdit *other = nullptr;
};

class NumEditWidget : public NumEditWidgetBase, public testing::Test {};

TEST_F(NumEditWidget, NewFieldIsEmptyAndShowsZeroOnceConfigured)
{
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(edit->maxLength(), 255);
    applyStored(false, true, 255, -1000);
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(edit->Max(), 255);
    EXPECT_EQ(edit->Min(), -1000);
    EXPECT_TRUE(edit->AllowMinus());
}

TEST_F(NumEditWidget, NumberWrittenByTheProgramShowsFromItsStart)
{
    applyStored(true, true, 100000000, -1000);
    edit->resize(64, 21);
    edit->setNumber(double(0.9f));
    EXPECT_EQ(edit->text(), "0.899999976158142");
    EXPECT_EQ(edit->cursorPosition(), 0);

    ASSERT_TRUE(focusField());
    QTest::keyClicks(edit, "12");
    EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(NumEditWidget, PropertiesAreReachableByName)
{
    const QMetaObject *meta = edit->metaObject();
    for (const char *name : {"AllowDecimal", "AllowMinus", "Number", "Max", "Min", "PadZero"}) {
        const int index = meta->indexOfProperty(name);
        ASSERT_GE(index, 0) << name;
        EXPECT_TRUE(meta->property(index).isWritable()) << name;
    }
    const int keyPressed = meta->indexOfProperty("KeyPressed");
    ASSERT_GE(keyPressed, 0);
    EXPECT_FALSE(meta->property(keyPressed).isWritable());

    EXPECT_TRUE(edit->setProperty("Number", 42.0));
    EXPECT_EQ(edit->text(), "42");
    EXPECT_TRUE(edit->setProperty("PadZero", 4));
    EXPECT_EQ(edit->PadZero(), 4);
    QTest::keyClick(edit, Qt::Key_A);
    EXPECT_EQ(edit->property("KeyPressed").toInt(), 'a');
}

// ---- Typing: each character passes the key filter before the edit inserts it

struct TypingCase {
    std::string name;
    bool allowDecimal;
    bool allowMinus;
    std::function<void(TNumEdit *)> input;
    QString text;
};

class NumEditTyping : public NumEditWidgetBase, public testing::TestWithParam<TypingCase> {};

TEST_P(NumEditTyping, LeavesOnlyWhatTheFilterLetThrough)
{
    const TypingCase &c = GetParam();
    applyStored(c.allowDecimal, c.allowMinus, 1000, -1000);
    edit->clear();
    QApplication::clipboard()->setText("99");
    GetParam().input(edit);
    EXPECT_EQ(edit->text(), c.text);
    EXPECT_EQ(QApplication::clipboard()->text(), "99");
}

void Keys(TNumEdit *e, const char *keys)
{
    QTest::keyClicks(e, keys);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NumEditTyping,
    testing::Values(
        TypingCase{"DigitsAndDot", true, false, [](auto e) { Keys(e, "12.5"); }, "12.5"},
        TypingCase{"SecondDotSwallowed", true, false, [](auto e) { Keys(e, "1.2.3"); }, "1.23"},
        TypingCase{"DotWithoutDecimal", false, false, [](auto e) { Keys(e, "12.5"); }, "125"},
        TypingCase{"OtherCharactersSwallowed", true, true, [](auto e) { Keys(e, "a1e2, +3E"); },
                   "123"},
        TypingCase{"MinusFirst", false, true, [](auto e) { Keys(e, "-5"); }, "-5"},
        TypingCase{"MinusAfterDigit", false, true, [](auto e) { Keys(e, "5-"); }, "5"},
        TypingCase{"MinusNotAllowed", true, false, [](auto e) { Keys(e, "-5"); }, "5"},
        TypingCase{"MinusAtStartOfDigits", false, true,
                   [](auto e) {
                       Keys(e, "5");
                       QTest::keyClick(e, Qt::Key_Home);
                       Keys(e, "-");
                   },
                   "-5"},
        TypingCase{"NothingBeforeLeadingMinus", true, true,
                   [](auto e) {
                       Keys(e, "-5");
                       QTest::keyClick(e, Qt::Key_Home);
                       Keys(e, "7-.");
                       QTest::keyClick(e, Qt::Key_Backspace);
                   },
                   "-5"},
        TypingCase{"SelectedLeadingMinusReplaced", false, true,
                   [](auto e) {
                       Keys(e, "-5");
                       QTest::keyClick(e, Qt::Key_Home);
                       QTest::keyClick(e, Qt::Key_End, Qt::ShiftModifier);
                       Keys(e, "-");
                   },
                   "-"},
        TypingCase{"DeleteIsNotFiltered", false, true,
                   [](auto e) {
                       Keys(e, "-5");
                       QTest::keyClick(e, Qt::Key_Home);
                       QTest::keyClick(e, Qt::Key_Delete);
                   },
                   "5"},
        TypingCase{"BackspaceDeletes", false, false,
                   [](auto e) {
                       Keys(e, "123");
                       QTest::keyClick(e, Qt::Key_Backspace);
                   },
                   "12"},
        TypingCase{"CtrlVDoesNotPaste", false, false,
                   [](auto e) {
                       Keys(e, "1");
                       QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
                   },
                   "1"},
        TypingCase{"CtrlXDoesNotCut", false, false,
                   [](auto e) {
                       Keys(e, "12");
                       e->selectAll();
                       QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier);
                   },
                   "12"},
        TypingCase{"CtrlCDoesNotCopy", false, false,
                   [](auto e) {
                       Keys(e, "12");
                       e->selectAll();
                       QTest::keyClick(e, Qt::Key_C, Qt::ControlModifier);
                   },
                   "12"},
        TypingCase{"CtrlZDoesNotUndo", false, false,
                   [](auto e) {
                       Keys(e, "12");
                       QTest::keyClick(e, Qt::Key_Z, Qt::ControlModifier);
                   },
                   "12"}),
    [](const auto &info) { return RowName(info); });

struct ControlKeyCase {
    std::string name;
    Qt::Key key;
    int code;
};

class NumEditControlKeys : public NumEditWidgetBase,
                           public testing::TestWithParam<ControlKeyCase> {};

TEST_P(NumEditControlKeys, ArriveAsControlCharacters)
{
    QTest::keyClick(edit, GetParam().key, Qt::ControlModifier);
    EXPECT_EQ(edit->KeyPressed(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Keys, NumEditControlKeys,
                         testing::Values(ControlKeyCase{"CtrlC", Qt::Key_C, 3},
                                         ControlKeyCase{"CtrlV", Qt::Key_V, 22},
                                         ControlKeyCase{"CtrlX", Qt::Key_X, 24},
                                         ControlKeyCase{"CtrlZ", Qt::Key_Z, 26}),
                         [](const auto &info) { return RowName(info); });

// Key events whose text is not one Latin-1 character still pass the filter, as '?'.
struct ForeignTextCase {
    std::string name;
    QString typed;
};

class NumEditForeignText : public NumEditWidgetBase,
                           public testing::TestWithParam<ForeignTextCase> {};

TEST_P(NumEditForeignText, IsSwallowedAsQuestionMark)
{
    applyStored(true, true, 1000, -1000);
    edit->clear();
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, GetParam().typed);
    QApplication::sendEvent(edit, &typed);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(edit->KeyPressed(), '?');
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumEditForeignText,
    testing::Values(ForeignTextCase{"Euro", QString(QChar(0x20AC))},
                    ForeignTextCase{"TwoCharactersInOneEvent", QStringLiteral("ab")},
                    ForeignTextCase{"DigitThenLetter", QStringLiteral("1x")},
                    ForeignTextCase{"SurrogatePair", QString::fromUcs4(U"\U0001F600")},
                    ForeignTextCase{"ZeroWidthSpace", QString(QChar(0x200B))},
                    ForeignTextCase{"PrivateUse", QString(QChar(0xE000))}),
    [](const auto &info) { return RowName(info); });

TEST_F(NumEditWidget, TakesNoInputMethodTextThatWouldSkipTheFilter)
{
    ASSERT_TRUE(focusField());
    // What the platform asks before it sends composed text as input method events
    // instead of key events.
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(edit, &query);
    EXPECT_FALSE(query.value(Qt::ImEnabled).toBool());
}

// ---- Enter and focus loss commit

TEST_F(NumEditWidget, EnterCommitsAndKeepsTheFocus)
{
    applyStored(false, true, 255, -1000);
    edit->clear();
    ASSERT_TRUE(focusField());
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    QSignalSpy returns(edit, &QLineEdit::returnPressed);

    QTest::keyClicks(edit, "300");
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(edit->Number(), 300) << "reading does not clamp";
    EXPECT_EQ(changes.count(), 3);

    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(edit->text(), "255");
    EXPECT_EQ(edit->Number(), 255);
    EXPECT_EQ(edit->KeyPressed(), 13);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(changes.count(), 4);
    EXPECT_EQ(returns.count(), 0) << "the Enter key goes no further";

    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(changes.count(), 4) << "committing the shown value changes nothing";
}

struct FocusCase {
    std::string name;
    double min;
    const char *typed;
    QString shown;
    double number;
};

class NumEditFocusLoss : public NumEditWidgetBase, public testing::TestWithParam<FocusCase> {};

TEST_P(NumEditFocusLoss, Commits)
{
    const FocusCase &c = GetParam();
    applyStored(false, true, 255, c.min);
    edit->clear();
    ASSERT_TRUE(focusField());
    QTest::keyClicks(edit, c.typed);
    other->setFocus();
    EXPECT_EQ(edit->text(), c.shown);
    EXPECT_EQ(edit->Number(), c.number);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumEditFocusLoss,
                         testing::Values(FocusCase{"AboveMax", -1000, "300", "255", 255},
                                         FocusCase{"EmptyIsZero", -1000, "", "0", 0},
                                         FocusCase{"EmptyRaisedToMin", 5, "", "5", 5},
                                         FocusCase{"LoneMinus", -1000, "-", "0", 0},
                                         FocusCase{"Negative", -1000, "-12", "-12", -12}),
                         [](const auto &info) { return RowName(info); });

TEST_F(NumEditWidget, OpeningTheContextMenuDoesNotCommit)
{
    applyStored(false, false, 255, -1000);
    edit->clear();
    QTest::keyClicks(edit, "300");
    QFocusEvent toMenu(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(edit, &toMenu);
    EXPECT_EQ(edit->text(), "300");
    QFocusEvent away(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(edit, &away);
    EXPECT_EQ(edit->text(), "255");
}

TEST_F(NumEditWidget, ChangeHandlerMayWriteTheFieldItReads)
{
    applyStored(false, false, 255, -1000);
    edit->setText("1,2");
    // A handler that answers every change by writing another value, as the colour panel does.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this](const QString &text) {
        if (text == "12")
            edit->setNumber(100);
    });
    EXPECT_EQ(edit->Number(), 12);
    EXPECT_EQ(edit->text(), "100");
    EXPECT_EQ(edit->Number(), 100);
}

TEST_F(NumEditWidget, PasteBypassesTheFilterAndIsCommittedLater)
{
    applyStored(false, false, 255, -1000);
    ASSERT_TRUE(focusField());
    edit->clear();
    QApplication::clipboard()->setText("1,234");
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    edit->paste();
    EXPECT_EQ(edit->text(), "1,234");
    EXPECT_EQ(changes.count(), 1);

    other->setFocus();
    EXPECT_EQ(edit->text(), "1");
    EXPECT_EQ(changes.count(), 2);
}

// ---- textChanged fires once per actual change and never for a no-op write

struct SignalCase {
    std::string name;
    std::function<void(TNumEdit *)> action;
    int changes;
    QString text;
};

class NumEditSignals : public NumEditWidgetBase, public testing::TestWithParam<SignalCase> {};

TEST_P(NumEditSignals, CountOneSignalPerChange)
{
    applyStored(false, false, 1000, -1000);
    ASSERT_EQ(edit->text(), "0");
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    GetParam().action(edit);
    EXPECT_EQ(changes.count(), GetParam().changes);
    EXPECT_EQ(edit->text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, NumEditSignals,
    testing::Values(
        SignalCase{"SameNumber", [](auto e) { e->setNumber(0); }, 0, "0"},
        SignalCase{"SameNumberAfterRounding", [](auto e) { e->setNumber(0.2); }, 0, "0"},
        SignalCase{"SameMax", [](auto e) { e->setMax(1000); }, 0, "0"},
        SignalCase{"IgnoredMin", [](auto e) { e->setMin(5000); }, 0, "0"},
        SignalCase{"SameAllowDecimal", [](auto e) { e->setAllowDecimal(false); }, 0, "0"},
        SignalCase{"SameAllowMinus", [](auto e) { e->setAllowMinus(false); }, 0, "0"},
        SignalCase{"PadZeroAlone", [](auto e) { e->setPadZero(3); }, 0, "0"},
        SignalCase{"ReadWithoutComma", [](auto e) { e->Number(); }, 0, "0"},
        SignalCase{"NewNumber", [](auto e) { e->setNumber(7); }, 1, "7"},
        SignalCase{"TwoNewNumbers",
                   [](auto e) {
                       e->setNumber(7);
                       e->setNumber(-7);
                   },
                   2, "-7"},
        SignalCase{"MinRaisesNumber", [](auto e) { e->setMin(5); }, 1, "5"},
        SignalCase{"PadZeroThenRefresh",
                   [](auto e) {
                       e->setPadZero(3);
                       e->RefreshText();
                   },
                   1, "000"},
        SignalCase{"ReadRemovesComma",
                   [](auto e) {
                       e->setText("1,234");
                       EXPECT_EQ(e->Number(), 1234);
                       EXPECT_EQ(e->Number(), 1234);
                   },
                   2, "1234"},
        SignalCase{"ReadRemovesOnlyFirstComma",
                   [](auto e) {
                       e->setText("1,2,3");
                       EXPECT_EQ(e->Number(), 12);
                   },
                   2, "12,3"},
        SignalCase{"CommitOfShownValue", [](auto e) { e->CommitEntry(); }, 0, "0"}),
    [](const auto &info) { return RowName(info); });

// ---- The user's locale does not reach the field

class NumEditGermanLocale : public NumEditWidgetBase, public testing::Test {
protected:
    NumEditGermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~NumEditGermanLocale() override { QLocale::setDefault(m_saved); }

    QLocale m_saved;
};

TEST_F(NumEditGermanLocale, KeepsTheDot)
{
    applyStored(true, true, 1000, -1000);
    edit->setNumber(2.5);
    EXPECT_EQ(edit->text(), "2.5");
    edit->clear();
    QTest::keyClicks(edit, "0.25");
    EXPECT_EQ(edit->Number(), 0.25);
    edit->setText("1,5");
    EXPECT_EQ(edit->Number(), 15);
}

} // namespace
