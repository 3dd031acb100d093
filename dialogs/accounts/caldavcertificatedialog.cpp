#include "dialogs/accounts/caldavcertificatedialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/theme/plaintext.h"
#include "app/theme/theme.h"

namespace {

QLabel *valueLabel(const QString &text, QWidget *parent)
{
    QLabel *label = PlainText::label(text, parent);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

CalDavCertificateDialog::CalDavCertificateDialog(const CalDavClient::UntrustedCertInfo &info, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Untrusted certificate"));
    setModal(true);
    resize(540, 480);
    const QString muted = QStringLiteral("color: %1;").arg(Theme::textMuted().name());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);

    auto *heading = new QLabel(tr("Trust this certificate?"), this);
    QFont headingFont = QApplication::font();
    headingFont.setWeight(QFont::Bold);
    headingFont.setPointSize(headingFont.pointSize() + 3);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    auto *intro = new QLabel(tr("%1:%2 presented a TLS certificate that doesn't chain to a trusted root. Review it "
                                "before trusting it, anyone with this fingerprint can impersonate the server.")
                                 .arg(info.host)
                                 .arg(info.port),
                             this);
    intro->setTextFormat(Qt::PlainText);
    intro->setWordWrap(true);
    intro->setStyleSheet(muted);
    layout->addWidget(intro);

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignTop);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(8);
    const auto addRow = [&](const QString &caption, QLabel *value) {
        auto *captionLabel = new QLabel(caption, this);
        captionLabel->setStyleSheet(muted);
        form->addRow(captionLabel, value);
    };
    const QString unknown = tr("(unknown)");
    addRow(tr("Subject"), valueLabel(info.subject.isEmpty() ? unknown : info.subject, this));
    addRow(tr("Issuer"), valueLabel(info.issuer.isEmpty() ? unknown : info.issuer, this));
    addRow(tr("Valid from"), valueLabel(info.effectiveDate.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")), this));
    addRow(tr("Valid until"), valueLabel(info.expiryDate.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")), this));
    QLabel *fingerprint = valueLabel(formatFingerprint(info.fingerprint), this);
    fingerprint->setObjectName(QStringLiteral("fingerprint"));
    fingerprint->setStyleSheet(QStringLiteral("QLabel { font-family: monospace; }"));
    addRow(tr("SHA-256"), fingerprint);
    if (!info.errors.isEmpty())
        addRow(tr("Errors"), valueLabel(info.errors.join(QLatin1Char('\n')), this));
    layout->addLayout(form);

    auto *warning = new QLabel(tr("Only trust this certificate if you control the server and recognize the "
                                  "fingerprint. Trusting a malicious certificate gives attackers full access to your "
                                  "calendar data."),
                               this);
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; padding: %3px; border-radius: 6px; }")
                               .arg(QStringLiteral("#fff7e6"), QStringLiteral("#7a4a00"), QStringLiteral("12")));
    layout->addWidget(warning);
    layout->addStretch();

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *trust = buttons->addButton(tr("Trust certificate"), QDialogButtonBox::AcceptRole);
    trust->setAutoDefault(false);
    trust->setDefault(false);
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
