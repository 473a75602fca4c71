#include "about/LicenseText.h"

#include "common/CodePage.h"
#include "common/ProgramFolder.h"
#include "common/WholeFile.h"

#include <QFileInfo>
#include <QStringDecoder>

QString LicenseText::path()
{
    return ProgramFolder::path() + QStringLiteral("license.txt");
}

std::optional<QString> LicenseText::read(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    const QByteArray bytes = WholeFile::read(path, QStringLiteral("licence file"));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = CodePage::decode(bytes.constData(), int(bytes.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // The box shows the file's lines; the break that ends the last one adds no line.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

QString LicenseText::missingMessage()
{
    return QStringLiteral("The product license could not be found!\nPlease visit the Fortavo website for more information.");
}
