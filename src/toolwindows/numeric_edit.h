// The tool windows' numeric edits: a right-aligned single-line edit of at most 4 characters,
// the up-down control bound to it, and the reading of the edit's text as a whole number.
#pragma once

#include <QLineEdit>
#include <QWidget>

#include <optional>

class QToolButton;

namespace spectrane {

// Which characters the user may type into a numeric edit.
enum class EditChars {
    Digits,         // 0-9 only
    DigitsAndMinus, // an optional leading minus sign, then digits
    Any,            // anything
};

// A right-aligned edit of at most 4 characters with object name "id<id>" at `geometry`.
QLineEdit* addNumberEdit(QWidget* parent, int id, QRect geometry, EditChars chars);

// Shows `value` as plain decimal digits with the caret after the last character.
void showNumber(QLineEdit* edit, int value);

// The edit's text as a number with any fraction dropped (toward zero): optional blanks and
// sign, digits with an optional decimal point. nullopt for empty or non-numeric text.
std::optional<int> parseEditNumber(const QString& text);
std::optional<int> readEditNumber(const QLineEdit* edit);

// The up-down control: two arrow buttons that step the number in their buddy edit by one
// within [minimum, maximum] and write it back as plain decimal digits. The range is the
// arrows' own; what the window accepts on OK is checked separately. It sits at the buddy's
// right edge whatever `geometry` says of its place; `geometry` gives its width.
class UpDownControl : public QWidget {
    Q_OBJECT
public:
    UpDownControl(QWidget* parent, int id, QRect geometry, QLineEdit* buddy, int minimum,
                  int maximum);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    QLineEdit* buddy() const { return buddy_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    // One step up (+1) or down (-1), as a click on an arrow does.
    void step(int delta);

protected:
    // The Up and Down keys and the mouse wheel over the edit step it as the arrows do.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* buddy_;
    int minimum_;
    int maximum_;
    int position_;       // last value written, used while the edit holds no number
    int wheelAngle_ = 0; // eighths of a degree turned and not yet stepped
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace spectrane
