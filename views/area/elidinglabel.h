#pragma once

#include <QLabel>
#include <QString>

// A one-line label that shortens its text with an ellipsis to the width its
// row gives it, rather than wrap onto more lines or hold the row wider; the
// whole text is then its tooltip.
class ElidingLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget *parent = nullptr);

    void setFullText(const QString &text);
    QString fullText() const { return m_fullText; }

    // As wide as the whole text; it shrinks down to an ellipsis.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // A line of text this wide with the label's margins around it.
    QSize withMargins(int textWidth) const;
    void elide();

    QString m_fullText;
};
