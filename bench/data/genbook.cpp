// Writes a large book for the benchmarks:
//   quillan_genbook PATH [TRANSACTIONS] [--end YYYY-MM-DD] [--seed N]
#include "bookgenerator.h"
#include "figures.h"

#include "data/failure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    BookGenerator::Options options;
    for (int i = 0; i + 1 < args.size();) {
        if (args.at(i) == QLatin1String("--end")) {
            options.lastDay = QDate::fromString(args.at(i + 1), Qt::ISODate);
            if (!options.lastDay.isValid()) {
                std::fprintf(stderr, "--end takes a date YYYY-MM-DD\n");
                return 2;
            }
            args.remove(i, 2);
        } else if (args.at(i) == QLatin1String("--seed")) {
            options.seed = args.at(i + 1).toULongLong();
            args.remove(i, 2);
        } else {
            ++i;
        }
    }
    bool countOk = true;
    if (args.size() == 2)
        options.transactions = args.at(1).toLongLong(&countOk);
    if (args.isEmpty() || args.size() > 2 || !countOk || options.transactions < 0) {
        std::fprintf(stderr,
                     "usage: quillan_genbook PATH [TRANSACTIONS] [--end YYYY-MM-DD] [--seed N]\n"
                     "Writes a new book of TRANSACTIONS (default 1000000) transactions.\n");
        return 2;
    }
    const QString path = args.first();
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s already exists; it is never overwritten.\n", qPrintable(path));
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    try {
        BookGenerator::makeBook(path, options, [&](qint64 written) {
            std::fprintf(stderr, "\r%lld of %lld transactions", static_cast<long long>(written),
                         static_cast<long long>(options.transactions));
        });
    } catch (const Failure& failure) {
        std::fprintf(stderr, "\nCannot make the book: %s\n", qPrintable(failure.description()));
        return 1;
    }
    const double seconds = timer.elapsed() / 1000.0;
    const BookGenerator generator(options);
    std::fprintf(stderr, "\n");
    std::printf("Book:          %s\n", qPrintable(path));
    std::printf("Transactions:  %lld, %s to %s\n", static_cast<long long>(options.transactions),
                qPrintable(generator.firstDay().toString(Qt::ISODate)),
                qPrintable(generator.lastDay().toString(Qt::ISODate)));
    std::printf("Masters:       %lld vendors, %lld customers, %lld accounts, %lld tax codes\n",
                static_cast<long long>(generator.vendors().size()),
                static_cast<long long>(generator.customers().size()),
                static_cast<long long>(generator.accounts().size()),
                static_cast<long long>(generator.taxCodes().size()));
    std::printf("File size:     %.1f MB\n", QFileInfo(path).size() / 1048576.0);
    std::printf("Time:          %.2f s (%.0f transactions/s)\n", seconds,
                seconds > 0 ? options.transactions / seconds : 0.0);
    std::printf("Peak memory:   %.1f MB\n", peakResidentMb());
    return 0;
}
