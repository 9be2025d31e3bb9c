// Drives a fuzz harness without libFuzzer: every seed file of the given folders, then
// -runs=N deterministic mutations of them (byte flips, inserts, cuts, splices).
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void run(const QByteArray& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.constData()),
                           size_t(input.size()));
}

} // namespace

int main(int argc, char** argv) {
    long runs = 10000;
    unsigned seed = 1;
    qsizetype maxLength = 600;
    QList<QByteArray> seeds;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "-runs=", 6) == 0)
            runs = std::atol(argv[i] + 6);
        else if (std::strncmp(argv[i], "-seed=", 6) == 0)
            seed = unsigned(std::atol(argv[i] + 6));
        else if (std::strncmp(argv[i], "-max_len=", 9) == 0)
            maxLength = std::atol(argv[i] + 9);
        else if (argv[i][0] != '-') {
            const QDir dir(QString::fromLocal8Bit(argv[i]));
            for (const QString& name : dir.entryList(QDir::Files)) {
                QFile file(dir.filePath(name));
                if (file.open(QIODevice::ReadOnly))
                    seeds.append(file.readAll());
            }
        }
    }
    if (seeds.isEmpty())
        seeds.append(QByteArray());
    for (const QByteArray& s : seeds)
        run(s);

    std::mt19937 random(seed);
    const auto pick = [&random](qsizetype bound) {
        return bound <= 0 ? qsizetype(0) : qsizetype(random() % quint64(bound));
    };
    QByteArray input = seeds.first();
    for (long n = 0; n < runs; ++n) {
        if (random() % 8 == 0)
            input = seeds.at(pick(seeds.size()));
        switch (random() % 5) {
        case 0:
            if (!input.isEmpty())
                input[pick(input.size())] = char(random());
            break;
        case 1:
            input.insert(pick(input.size() + 1), char(random()));
            break;
        case 2:
            input.truncate(pick(input.size() + 1));
            break;
        case 3: {
            const QByteArray& other = seeds.at(pick(seeds.size()));
            input.append(other.mid(pick(other.size())));
            break;
        }
        default:
            if (!input.isEmpty())
                input[pick(input.size())] ^= char(1 << (random() % 8));
            break;
        }
        if (input.size() > maxLength)
            input.truncate(maxLength);
        run(input);
    }
    std::printf("Done %ld runs\n", runs);
    return 0;
}
