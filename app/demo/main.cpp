// Shows the import library's reader registry at work: which readers are registered, the filter
// list the file dialogs would offer, and what every reader says about each sample file.
#include "AbstractFileReader.h"
#include "AbstractFileReaderFactory.h"
#include "utilities/UrlUtilities.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <string>

using namespace quarro;

namespace {

void print(QString const& line) { std::printf("%s\n", line.toLocal8Bit().constData()); }

QStringList sampleFiles(QString const& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString const path = it.next();
        if (!path.contains(QLatin1String("/LICENSES/")) && !path.endsWith(QLatin1String(".md"))) {
            files << path;
        }
    }
    files.sort();
    return files;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString const folder = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data"))
                               .absolutePath();
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "usage: quarro_demo [sample folder]\nNo folder '%s'.\n",
                     folder.toLocal8Bit().constData());
        return 1;
    }

    std::vector<std::string> const keys = import::AbstractFileReaderFactory::products();
    print(QStringLiteral("Registered readers (%1):").arg(keys.size()));
    QStringList filters;
    for (std::string const& key : keys) {
        auto reader = import::AbstractFileReaderFactory::create(key);
        QString const filter = QString::fromStdString(reader->file_filter());
        filters << filter;
        print(QStringLiteral("  %1  %2").arg(QString::fromStdString(key), -10).arg(filter));
    }
    print(QStringLiteral("\nFile dialog filter list:\n  %1\n").arg(filters.join(QStringLiteral(";;"))));

    int accepted = 0;
    QStringList const files = sampleFiles(folder);
    print(QStringLiteral("Verifying %1 files in %2:").arg(files.size()).arg(folder));
    for (QString const& path : files) {
        QStringList verdicts;
        for (std::string const& key : keys) {
            auto reader = import::AbstractFileReaderFactory::create(key);
            QString message;
            std::bitset<4> const bits = reader->verify(utilities::filesystem_to_url(path), message);
            if (bits.test(import::AbstractFileReader::VERIFY_ACCEPTED)) {
                verdicts << QStringLiteral("accepted by %1").arg(QString::fromStdString(key));
                ++accepted;
            }
        }
        if (verdicts.isEmpty()) {
            verdicts << QStringLiteral("no reader takes it");
        }
        print(QStringLiteral("  %1  %2").arg(QDir(folder).relativeFilePath(path), -32).arg(verdicts.join(", ")));
    }
    print(QStringLiteral("\n%1 of %2 files accepted by a reader.").arg(accepted).arg(files.size()));
    return 0;
}
