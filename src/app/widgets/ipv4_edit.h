#pragma once

// An IPv4 address edit: four octet fields of 0..255 in one frame, so that an
// address can be typed in one go. Typing "." or a third digit moves to the
// next field, Backspace in an empty field moves back, a value above 255 is
// brought down to 255, and a whole dotted address typed or pasted into a
// field fills that field and the ones after it.

#include <QFrame>
#include <QString>
#include <array>

class QLineEdit;

class IPv4Edit : public QFrame {
    Q_OBJECT
public:
    explicit IPv4Edit(QWidget* parent = nullptr);

    // Octet i (0..3) as a number; an empty field counts as 0.
    int octet(int index) const;
    std::array<int, 4> octets() const;
    // The dotted-decimal address without leading zeros (empty fields as 0),
    // or an empty text while every field is empty.
    QString text() const;
    // Fills the fields from a dotted address; an empty text empties them.
    // Parts that are missing or not numbers leave their fields empty.
    void setText(const QString& address);
    void setOctets(const std::array<int, 4>& values);
    void clear();

    // The field of octet i, for focus handling and tests.
    QLineEdit* field(int index) const { return m_fields[static_cast<std::size_t>(index)]; }

signals:
    // Any change of the address, by the user or by code.
    void textChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int indexOf(QObject* field) const;
    void fieldEdited(int index, const QString& typed);
    void fillFrom(int index, const QString& dotted);
    void focusField(int index, bool atEnd);
    void emitIfChanged();

    std::array<QLineEdit*, 4> m_fields{};
    QString m_lastText;
    // Set while several fields change as one: one signal at the end.
    bool m_settingAll = false;
};
