// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExchangeCommand.h"

#include "AnalyseCommand.h"
#include "AnalyseRecordWriter.h"
#include "CommandMessages.h"
#include "CommandOptions.h"
#include "analysis/CardReplacement.h"

namespace {

enum class Kind
{
    Card,
    Suits,
    Ranks,
};

Kind kindOf(const QString &item)
{
    if (item.startsWith(u'?'))
        return Kind::Suits;
    return item.endsWith(u'?') ? Kind::Ranks : Kind::Card;
}

} // namespace

CommandDeclaration exchangeDeclaration()
{
    return CommandDeclaration{
        QStringLiteral("exchange"),
        QStringLiteral("exchange two cards, suits or ranks and analyse the result"),
        QStringLiteral("Exchanges A and B throughout TEXT as the replacement button does and "
                       "analyses the result. A and B are two cards (6п Тч), two suits (?п ?ч) "
                       "or two ranks (6? Т?); \"10\" is the ten, as in chain texts."),
        {QCommandLineOption(QStringLiteral("json"),
                            QStringLiteral("The analysis record as one line of JSON.")),
         encodingOption()},
        {},
        {{QStringLiteral("TEXT"), QStringLiteral("The chain text."), QString()},
         {QStringLiteral("A"),
          QStringLiteral("First card, suit pattern ?SUIT or rank pattern RANK?."), QString()},
         {QStringLiteral("B"), QStringLiteral("Second one, of the same kind as A."), QString()}},
    };
}

int runExchange(const QStringList &arguments, platform::Services &services)
{
    CommandLine line(exchangeDeclaration());
    const QCommandLineOption &json = line.option(QStringLiteral("json"));
    const QCommandLineOption &encoding = line.option(QStringLiteral("encoding"));
    if (const auto status = line.parse(arguments))
        return *status;
    if (!encodingValue(line, encoding))
        return BadUsage;
    const QStringList positional = line.positionalArguments();
    if (positional.size() != 3)
        return line.usageError(
            QStringLiteral("give TEXT, A and B (%1 arguments given)").arg(positional.size()));
    std::optional<QString> items[2];
    for (int k = 0; k < 2; ++k) {
        items[k] = cardOrPattern(positional[k + 1]);
        if (!items[k])
            return line.usageError(
                QStringLiteral("%1 '%2' is not a card (Тч, 10п), a suit pattern (?п) or a rank "
                               "pattern (Т?)")
                    .arg(k == 0 ? QStringLiteral("A") : QStringLiteral("B"))
                    .arg(positional[k + 1]));
    }
    // Mixed kinds would put a "?" into the chain as a letter.
    if (kindOf(*items[0]) != kindOf(*items[1]))
        return line.usageError(QStringLiteral("A '%1' and B '%2' are not of one kind: give two "
                                              "cards, two suit patterns or two rank patterns")
                                   .arg(positional[1], positional[2]));

    const platform::ScopedMessageHandler messages(
        services, [&line](const QString &text) { line.fail(text, 0); });
    const QString text = replaceCards(positional[0], *items[0], *items[1], services);
    QByteArray utf8 = text.toUtf8();
    // The analysis drops a byte order mark that opens its bytes, as
    // QString::fromUtf8 does; a U+FEFF still opening the text is its first
    // letter, so it goes with a mark of its own.
    if (text.startsWith(QChar(0xFEFF)))
        utf8.prepend("\xEF\xBB\xBF");
    AnalyseLineWorker worker(line.isSet(json) ? AnalyseLineWorker::Format::Json
                                              : AnalyseLineWorker::Format::Report);
    worker.setNotePrefix(QStringLiteral("tlcalc-cli %1: ").arg(line.command()).toStdString());
    LineOutput output;
    worker.process(0, std::string_view(utf8.constData(), std::size_t(utf8.size())), output);
    writeAnalysisOutput(output.out.view(), output.err);
    return finishOutput(line.command());
}
