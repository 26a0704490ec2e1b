#include "ui/main/MaskedTimeEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace zephlan;

namespace {

// The field as its user is promised it, from the rules alone: the six digits, which of
// them were typed ('+'), and the caret and the other end of the selection as places 0-8
// of "hh:mm:ss".
struct Reference
{
    std::string digits = "000000";
    std::string typed = "------";
    int caret = 0;
    int anchor = 0;

    static bool holdsDigit(int place) { return place % 3 != 2; }
    // Writing a digit at a place moves the caret to the next digit, past a colon.
    static int after(int place) { return holdsDigit(place + 1) ? place + 1 : std::min(place + 2, 8); }
    void set(int place, char digit, char mark)
    {
        digits[place - place / 3] = digit;
        typed[place - place / 3] = mark;
    }
    bool isTime() const { return digits.substr(0, 2) < "24" && digits[2] < '6' && digits[4] < '6'; }

    bool erase()
    {
        if (anchor == caret)
            return false;
        for (int place = std::min(anchor, caret); place < std::max(anchor, caret); ++place) {
            if (holdsDigit(place))
                set(place, '0', '-');
        }
        anchor = caret = std::min(anchor, caret);
        return true;
    }
    bool digit(char digit)
    {
        Reference next = *this;
        next.erase();
        const int place = next.caret + !holdsDigit(next.caret);
        if (place >= 8)
            return false;
        const bool first = place % 3 == 0;
        if (first && digit > (place == 0 ? '2' : '5')) {
            next.set(place, '0', '+');
            next.set(place + 1, digit, '+');
            next.caret = after(place + 1);
        } else {
            next.set(place, digit, '+');
            if (place == 0 && !next.isTime())
                next.digits[1] = '0';
            next.caret = after(place);
        }
        next.anchor = next.caret;
        if (next.isTime())
            *this = next;
        return next.isTime();
    }
    void separator()
    {
        if (anchor != caret || caret % 3 != 1)
            return;
        const int section = caret / 3 * 2;
        digits[section + 1] = digits[section];
        digits[section] = '0';
        typed[section + 1] = typed[section];
        anchor = caret = after(caret);
    }
    void backspace()
    {
        const int place = caret - 1 - !holdsDigit(caret - 1);
        if (!erase() && place >= 0) {
            set(place, '0', '-');
            anchor = caret = place;
        }
    }
    void del()
    {
        const int place = caret + !holdsDigit(caret);
        if (!erase() && place < 8)
            set(place, '0', '-');
    }
    // Blanks around a paste are dropped; one or two digits go in as keys; a time written as h:mm,
    // hh:mm, h:mm:ss or hh:mm:ss, with ':' or '.' or its digits run together, fills the field.
    void paste(std::string text)
    {
        static const std::set<std::string> wholeTimes = {"d:dd", "dd:dd", "d:dd:dd", "dd:dd:dd",
                                                         "ddd",  "dddd",  "ddddd",   "dddddd"};
        text.erase(0, text.find_first_not_of(" \t\r\n"));
        text.erase(text.find_last_not_of(" \t\r\n") + 1);
        std::string shape;
        std::string run;
        for (const char ch : text) {
            shape += std::isdigit(ch) ? 'd' : ch == '.' ? ':' : ch;
            run += std::isdigit(ch) ? std::string(1, ch) : "";
        }
        Reference next = *this;
        if (shape.empty()) {
            erase();
        } else if (shape == "d" || shape == "dd") {
            if (next.digit(run[0]) && (run.size() == 1 || next.digit(run[1])))
                *this = next;
        } else if (wholeTimes.count(shape) != 0) {
            const std::size_t hours = shape.find(':') != std::string::npos ? shape.find(':') : 2 - run.size() % 2;
            next.digits = (hours == 1 ? "0" : "") + run;
            next.digits.resize(6, '0');
            next.typed = "++++++";
            next.anchor = next.caret = 8;
            if (next.isTime())
                *this = next;
        }
    }

    // The offscreen platform keeps the Windows keys: Right drops a selection and moves on from the caret.
    void move(int to, bool extend)
    {
        caret = std::clamp(to, 0, 8);
        if (!extend)
            anchor = caret;
    }

    std::string shown() const
    {
        return digits.substr(0, 2) + ':' + digits.substr(2, 2) + ':' + digits.substr(4) + " caret "
            + std::to_string(caret) + " anchor " + std::to_string(anchor)
            + (typed.find('+') != std::string::npos ? " typed" : "");
    }
};

std::string shown(const MaskedTimeEdit &field)
{
    const int caret = field.cursorPosition();
    int anchor = caret;
    if (field.hasSelectedText())
        anchor = caret == field.selectionStart() ? field.selectionEnd() : field.selectionStart();
    // What the field holds for a save shows only where it differs from what it shows.
    const QString held = field.timeText() == field.text() ? QString() : " holding " + field.timeText();
    return (field.text() + held).toStdString() + " caret " + std::to_string(caret) + " anchor "
        + std::to_string(anchor) + (field.typedInto() ? " typed" : "");
}

// One key of the alphabet: what it sends to the field (a paste puts its text on the
// clipboard first) and what the reference makes of it.
struct Key
{
    std::string name;
    QKeySequence keys;
    std::function<void(Reference &)> reference;
    QString pasted = {};
};

Key pasting(const char *text)
{
    return {std::string("paste ") + text, QKeySequence(QKeySequence::Paste), [text](Reference &r) { r.paste(text); },
            QLatin1String(text)};
}

std::vector<Key> alphabet()
{
    using R = Reference;
    std::vector<Key> keys;
    for (const char digit : std::string("02579")) {
        keys.push_back({std::string(1, digit), QKeySequence(Qt::Key_0 + digit - '0'),
                        [digit](R &r) { r.digit(digit); }});
    }
    keys.push_back({":", QKeySequence(Qt::Key_Colon), [](R &r) { r.separator(); }});
    keys.push_back({"Backspace", QKeySequence(Qt::Key_Backspace), [](R &r) { r.backspace(); }});
    keys.push_back({"Delete", QKeySequence(Qt::Key_Delete), [](R &r) { r.del(); }});
    keys.push_back({"Home", QKeySequence(Qt::Key_Home), [](R &r) { r.move(0, false); }});
    keys.push_back({"Right", QKeySequence(Qt::Key_Right), [](R &r) { r.move(r.caret + 1, false); }});
    keys.push_back({"Shift+Right", Qt::SHIFT | Qt::Key_Right, [](R &r) { r.move(r.caret + 1, true); }});
    keys.push_back({"Ctrl+A", QKeySequence(QKeySequence::SelectAll), [](R &r) { r.anchor = 0, r.move(8, true); }});
    for (const char *text : {"07:05", "705", "7:5", "24:00", "x", "59"})
        keys.push_back(pasting(text));
    return keys;
}

void press(MaskedTimeEdit &field, const Key &key)
{
    if (!key.pasted.isNull())
        QGuiApplication::clipboard()->setText(key.pasted);
    QTest::keyClick(&field, key.keys[0].key(), key.keys[0].keyboardModifiers());
}

} // namespace

class MaskedTimeEditTest : public QObject
{
    Q_OBJECT
private slots:
    // Every sequence of up to ZEPHLAN_TIME_KEYS keys from each start state, through the field
    // and through the reference: after each key the two show the same text, caret, selection
    // and typed state. The last start puts the caret where a refused digit is one key away.
    void everyKeySequenceAgreesWithTheReference()
    {
        MaskedTimeEdit field;
        field.show();
        QApplication::setActiveWindow(&field);
        field.setFocus();
        QTRY_VERIFY(field.hasFocus());
        const Key home = *std::find_if(m_keys.begin(), m_keys.end(), [](const Key &key) { return key.name == "Home"; });
        const std::vector<std::vector<Key>> starts = {
            {}, {pasting("12:34:56")}, {pasting("23:59:59")}, {pasting("23:45:00"), home}};
        for (const std::vector<Key> &start : starts)
            runFrom(field, start);
        qInfo("%ld sequences of up to %d keys over %zu keys from %zu start states, %ld disagree%s%s", m_sequences,
              ZEPHLAN_TIME_KEYS, m_keys.size(), starts.size(), m_wrong, m_wrong ? ", one of the shortest: " : "",
              m_example.c_str());
        QCOMPARE(m_wrong, 0);
    }

private:
    // Each run presses the start's keys on an empty field, then ZEPHLAN_TIME_KEYS keys of the
    // alphabet. A sequence is checked in the one run whose later keys are all the first of the
    // alphabet, so that each is counted once.
    void runFrom(MaskedTimeEdit &field, const std::vector<Key> &start)
    {
        const long keys = long(m_keys.size());
        const long runs = std::lround(std::pow(keys, ZEPHLAN_TIME_KEYS));
        for (long run = 0; run < runs; ++run) {
            field.reapplyPattern();
            Reference reference;
            std::string done = "from an empty field";
            for (const Key &key : start) {
                press(field, key);
                key.reference(reference);
                done += ", " + key.name;
            }
            done += ':';
            long rest = run;
            for (long left = runs / keys, pressed = 1; left > 0; left /= keys, ++pressed) {
                const Key &key = m_keys[std::size_t(rest / left)];
                rest %= left;
                press(field, key);
                key.reference(reference);
                done += ' ' + key.name + ',';
                if (rest == 0)
                    check(field, reference, done, pressed);
            }
        }
    }

    void check(const MaskedTimeEdit &field, const Reference &reference, const std::string &done, long pressed)
    {
        ++m_sequences;
        if (shown(field) == reference.shown())
            return;
        ++m_wrong;
        if (pressed < m_exampleKeys)
            m_example = done + " field " + shown(field) + ", reference " + reference.shown();
        m_exampleKeys = std::min(m_exampleKeys, pressed);
    }

    const std::vector<Key> m_keys = alphabet();
    long m_sequences = 0;
    long m_wrong = 0;
    std::string m_example;
    long m_exampleKeys = 99;
};

QTEST_MAIN(MaskedTimeEditTest)
#include "tst_maskedtimeedit.moc"
