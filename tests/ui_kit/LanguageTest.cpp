#include "ui_kit/texts/Language.h"
#include "Printers.h"
#include "SDK/session/AccountSettings.h"
#include "ui_kit/texts/TextTable.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Switches the application language for the scope; Spanish again afterwards.
class LanguageScope {
public:
    explicit LanguageScope(const QString& code) {
        AccountSettings::instance().setAppLanguage(code);
    }
    ~LanguageScope() { AccountSettings::instance().setAppLanguage(QStringLiteral("es")); }
};

// Collects the console lines written while it lives.
class ConsoleCapture {
public:
    ConsoleCapture() {
        lines().clear();
        previous_ = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& line) { lines() << line; });
    }
    ~ConsoleCapture() { qInstallMessageHandler(previous_); }
    static QStringList& lines() {
        static QStringList collected;
        return collected;
    }

private:
    QtMessageHandler previous_;
};

QJsonObject readJson(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QJsonDocument::fromJson(file.readAll()).object();
}

// The texts that must appear word for word, and the keys of every table.
const QJsonObject& expected() {
    static const QJsonObject data =
        readJson(QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/data/quoted_texts.json");
    return data;
}

// The table as stored in the resource bundle.
const QJsonObject& stored() {
    static const QJsonObject data = [] {
        Language::initialize();
        return readJson(Language::tableResourcePath());
    }();
    return data;
}

QStringList stringList(const QJsonValue& value) {
    QStringList list;
    for (const QJsonValue& item : value.toArray())
        list << item.toString();
    return list;
}

QSet<QString> keySet(const QJsonObject& object) {
    const QStringList keys = object.keys();
    return QSet<QString>(keys.begin(), keys.end());
}

std::string where(const QString& section, const QString& language, const QString& key) {
    return (section + " / " + language + " / " + key).toStdString();
}

// A stored value as a line of a failure message, line breaks spelt out.
QString shown(const QJsonValue& value) {
    if (value.isUndefined())
        return QStringLiteral("(no value)");
    QString text =
        QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
    return text.mid(1, text.size() - 2);
}

int countOf(const QJsonObject& sections, const QString& language) {
    int count = 0;
    for (const QJsonValue& section : sections)
        count += section.toObject().value(language).toArray().size();
    return count;
}

} // namespace

TEST(LanguageTable, HasTheSectionsAndKeysOfEveryLanguage) {
    const QJsonObject table = stored();
    const QJsonObject keys = expected().value("keys").toObject();
    ASSERT_EQ(table.size(), 92);
    EXPECT_EQ(keySet(table), keySet(keys));

    int spanish = 0, english = 0;
    QSet<QString> withoutEnglish, emptyTables;
    for (auto s = table.begin(); s != table.end(); ++s) {
        const QJsonObject section = s.value().toObject();
        ASSERT_TRUE(section.contains("es")) << s.key().toStdString();
        if (!section.contains("en"))
            withoutEnglish << s.key();
        for (const QString language : {"es", "en"}) {
            if (!section.contains(language))
                continue;
            const QJsonObject entries = section.value(language).toObject();
            (language == "es" ? spanish : english) += entries.size();
            if (entries.isEmpty())
                emptyTables << s.key() + "/" + language;
            const QStringList listed = stringList(keys.value(s.key()).toObject().value(language));
            EXPECT_EQ(keySet(entries), QSet<QString>(listed.begin(), listed.end()))
                << where(s.key(), language, "*");
        }
    }
    // The listed keys, and those the screens quote that the listing lacks.
    const QJsonObject added = expected().value("addedKeys").toObject();
    EXPECT_EQ(spanish, 1274 + countOf(added, "es"));
    EXPECT_EQ(english, 1175 + countOf(added, "en"));
    EXPECT_EQ(withoutEnglish, (QSet<QString>{"PickPaymentMethodSimple", "ConfirmAccountScreen",
                                             "BankInfo", "TipPopup"}));
    EXPECT_EQ(emptyTables, (QSet<QString>{"ItemTaxes/es", "ItemTaxes/en", "readerDemo/en"}));
}

// Every text the design quotes, compared with the table; one failure lists every difference.
TEST(LanguageTable, HoldsEveryGivenTextWordForWord) {
    const QJsonObject texts = expected().value("texts").toObject();
    ASSERT_FALSE(texts.isEmpty());
    QStringList differences;
    int compared = 0;
    auto differ = [&](const QString& section, const QString& key, const QString& language,
                      const QJsonValue& want, const QJsonValue& found, const char* how) {
        differences << QString("(\"%1\", \"%2\") %3%4: expected %5, found %6")
                           .arg(section, key, language, how, shown(want), shown(found));
    };
    for (auto s = texts.begin(); s != texts.end(); ++s) {
        const QJsonObject section = stored().value(s.key()).toObject();
        for (const QString language : {"es", "en"}) {
            LanguageScope scope(language);
            const QJsonObject entries = s.value().toObject().value(language).toObject();
            const QJsonObject table = section.value(language).toObject();
            for (auto k = entries.begin(); k != entries.end(); ++k) {
                ++compared;
                if (table.value(k.key()) != k.value()) {
                    differ(s.key(), k.key(), language, k.value(), table.value(k.key()), "");
                    continue;
                }
                // A key only the English table has is never returned.
                if (!section.value("es").toObject().contains(k.key()))
                    continue;
                const QString looked = Language::textForFile(s.key(), k.key());
                if (looked != k.value().toString())
                    differ(s.key(), k.key(), language, k.value(), looked, " (lookup)");
            }
        }
    }
    // Keys whose English text repeats the Spanish one.
    for (const QJsonValue& entry : expected().value("sameInBothLanguages").toArray()) {
        const QString section = entry["section"].toString(), key = entry["key"].toString();
        const QString spanish = Language::textForFile(section, key);
        LanguageScope scope("en");
        if (Language::textForFile(section, key) != spanish)
            differ(section, key, "en", spanish, Language::textForFile(section, key), " (as es)");
    }
    // Texts the design leaves to a choice between candidates.
    for (const QJsonValue& entry : expected().value("candidates").toArray()) {
        const QJsonObject section = stored().value(entry["section"].toString()).toObject();
        for (const QString language : {"es", "en"}) {
            const QJsonArray allowed = entry[language].toArray();
            const QJsonValue found =
                section.value(language).toObject().value(entry["key"].toString());
            if (!allowed.isEmpty() && !allowed.contains(found))
                differ(entry["section"].toString(), entry["key"].toString(), language, allowed,
                       found, " (one of)");
        }
    }
    EXPECT_TRUE(differences.isEmpty())
        << differences.size() << " of " << compared << " quoted texts differ:\n"
        << differences.join("\n").toStdString();
}

TEST(LanguageTable, HoldsTheListsRectanglesAndHelpRecords) {
    for (const QString language : {"es", "en"}) {
        LanguageScope scope(language);
        for (const QJsonValue& entry : expected().value("lists").toArray()) {
            const auto list =
                Language::listForFile(entry["section"].toString(), entry["key"].toString());
            ASSERT_TRUE(list.has_value()) << entry["key"].toString().toStdString();
            EXPECT_EQ(*list, stringList(entry[language]));
        }
        for (const QJsonValue& entry : expected().value("rectangles").toArray()) {
            const auto rect =
                Language::rectForFile(entry["section"].toString(), entry["key"].toString());
            ASSERT_TRUE(rect.has_value()) << entry["key"].toString().toStdString();
            const QJsonArray v = entry[language].toArray();
            EXPECT_EQ(*rect, QRect(v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt()));
        }
        for (const QJsonValue& entry : expected().value("helpImages").toArray()) {
            const auto help =
                Language::helpForFile(entry["section"].toString(), entry["key"].toString());
            ASSERT_TRUE(help.has_value()) << entry["key"].toString().toStdString();
            EXPECT_EQ(help->images, stringList(entry["images"]));
            ASSERT_EQ(help->texts.size(), help->images.size());
            for (const QString& paragraph : help->texts)
                EXPECT_GE(paragraph.trimmed().size(), 40) << paragraph.toStdString();
        }
        for (const QJsonValue& entry : expected().value("helpTexts").toArray()) {
            if (!entry.toObject().contains(language))
                continue;
            const auto help =
                Language::helpForFile(entry["section"].toString(), entry["key"].toString());
            ASSERT_TRUE(help.has_value()) << entry["key"].toString().toStdString();
            EXPECT_EQ(help->texts, stringList(entry[language]))
                << entry["key"].toString().toStdString();
        }
    }
    EXPECT_EQ(Language::listForFile("GlobalTexts", "monthsArrayIpad")->first(), "ENERO DE");
    EXPECT_EQ(Language::listForFile("GlobalTexts", "monthsArray")->size(), 12);
    EXPECT_EQ(Language::listForFile("Pin", "docTypes")->size(), 5);
    LanguageScope english("en");
    EXPECT_EQ(*Language::listForFile("Pin", "docTypes"), (QStringList{"ID", "Other"}));
    EXPECT_EQ(Language::listForFile("GlobalTexts", "monthsArrayIpad")->last(), "DECEMBER OF");
}

// Every stored value is reached through the lookup, and no text is empty or a stand-in.
TEST(LanguageTable, LookupReturnsEveryStoredValueAndNoTextIsAStandIn) {
    static const QRegularExpression standIn(
        "\\bTODO\\b|\\bTBD\\b|FIXME|XXX|[Ll]orem|\\?\\?\\?|\\[[a-z ]+\\]|<[a-z]+>");
    static const QRegularExpression placeholder("%(?:@|d|i|\\.0f)|\\{[A-Z_]+\\}");
    const QJsonObject table = stored();
    const QJsonObject given = expected().value("texts").toObject();
    for (auto s = table.begin(); s != table.end(); ++s) {
        const QJsonObject section = s.value().toObject();
        for (const QString language : {"es", "en"}) {
            LanguageScope scope(language);
            const QJsonObject entries = section.value(language).toObject();
            for (auto k = entries.begin(); k != entries.end(); ++k) {
                const QVariant value = Language::valueForFile(s.key(), k.key());
                if (!k.value().isString())
                    continue;
                const QString text = k.value().toString();
                // A key only the English table has is never returned.
                const bool reachable = section.value("es").toObject().contains(k.key());
                EXPECT_EQ(value, QVariant(reachable ? text : QString("")))
                    << where(s.key(), language, k.key());
                EXPECT_FALSE(text.isEmpty()) << where(s.key(), language, k.key());
                EXPECT_FALSE(standIn.match(text).hasMatch())
                    << where(s.key(), language, k.key()) << ": " << text.toStdString();
            }
        }
        // A text we wrote fills the same placeholders in both languages.
        const QJsonObject es = section.value("es").toObject(), en = section.value("en").toObject();
        for (auto k = es.begin(); k != es.end(); ++k) {
            const QJsonObject givenSection = given.value(s.key()).toObject();
            if (!en.contains(k.key()) || !k.value().isString() ||
                givenSection.value("es").toObject().contains(k.key()) ||
                givenSection.value("en").toObject().contains(k.key()))
                continue;
            auto found = [](const QString& text) {
                QStringList all;
                for (const auto& m : placeholder.globalMatch(text))
                    all << m.captured();
                all.sort();
                return all;
            };
            EXPECT_EQ(found(k.value().toString()), found(en.value(k.key()).toString()))
                << where(s.key(), "es/en", k.key());
        }
    }
}

TEST(LanguageLookup, FollowsTheApplicationLanguageAtEveryCall) {
    EXPECT_EQ(Language::textForFile("GlobalTexts", "DONE"), "LISTO");
    EXPECT_EQ(Language::textForFile("GlobalTexts", "done"), "Listo");
    EXPECT_EQ(Language::textForFile("GlobalTexts", "back"), " ");
    EXPECT_EQ(Language::textForFile("Configuration", "es"), "Español");
    EXPECT_EQ(Language::textForFile("Configuration", "en"), "Inglés");
    EXPECT_EQ(Language::textForFile("GlobalTexts", "cancel"), "Cancelar");
    LanguageScope english("en");
    EXPECT_EQ(Language::textForFile("GlobalTexts", "back"), " ");
    EXPECT_EQ(Language::textForFile("Configuration", "es"), "Spanish");
    EXPECT_EQ(Language::textForFile("GlobalTexts", "cancel"), "Cancelar");
    EXPECT_EQ(Language::textForFile("InstallmentsPicker", "ofPercentage"), " of %i%%");
}

TEST(LanguageLookup, KeyMissingFromTheSpanishTableGivesTheEmptyTextAndALogLine) {
    const struct {
        const char* section;
        const char* key;
    } cases[] = {{"CFT", "cftSettingsLabel"},  {"CFT", "cftNoInterest"},
                 {"GlobalTexts", "favorites"}, {"Payment", "productWithoutPriceToAdd"},
                 {"Pin", "peiDescription"},    {"ItemTaxes", "IVA"},
                 {"GlobalTexts", "Done"},      {"", ""}};
    for (const QString language : {"es", "en"}) {
        LanguageScope scope(language);
        for (const auto& c : cases) {
            ConsoleCapture console;
            const QString text = Language::textForFile(c.section, c.key);
            EXPECT_TRUE(text.isEmpty() && !text.isNull()) << c.section << " " << c.key;
            EXPECT_EQ(ConsoleCapture::lines(),
                      QStringList{QString("%1 - %2 text data missing").arg(c.section, c.key)});
        }
    }
}

TEST(LanguageLookup, KeyMissingOnlyInTheCurrentLanguageGivesNoValueSilently) {
    LanguageScope english("en");
    const struct {
        const char* section;
        const char* key;
    } cases[] = {{"GlobalTexts", "dontHavePermissions"},
                 {"Device", "initFailed"},
                 {"Pin", "cvv"},
                 {"readerDemo", "completedDemoTitle"},
                 {"PickPaymentMethodSimple", "title"},
                 {"TipPopup", "text"},
                 {"BuyReader", "amountChoice"},
                 {"Configuration", "bankLabel"}};
    for (const auto& c : cases) {
        ConsoleCapture console;
        EXPECT_TRUE(Language::textForFile(c.section, c.key).isNull()) << c.key;
        EXPECT_FALSE(Language::valueForFile(c.section, c.key).isValid()) << c.key;
        EXPECT_TRUE(ConsoleCapture::lines().isEmpty()) << c.key;
    }
    // Asking for the wrong kind gives nothing rather than a converted value.
    EXPECT_FALSE(Language::listForFile("GlobalTexts", "cancel").has_value());
    EXPECT_FALSE(Language::rectForFile("Pin", "docTypes").has_value());
    EXPECT_TRUE(Language::textForFile("Setup", "tipsHelp").isNull());
}

TEST(LanguageTable, MalformedDataGivesAnEmptyTableNotACrash) {
    for (const QByteArray& json : {QByteArray("not json"), QByteArray("[1, 2]"), QByteArray("")}) {
        const TextTable table = TextTable::fromJson(json);
        EXPECT_TRUE(table.isEmpty()) << json.toStdString();
        EXPECT_FALSE(table.errorString().isEmpty());
        EXPECT_EQ(table.table("GlobalTexts", "es"), nullptr);
    }
    // Wrong kinds of values are kept as "no value" rather than converted.
    const TextTable odd = TextTable::fromJson(
        R"({"S": {"es": {"n": 5, "t": "x", "r": [1, 2, 3, 4], "l": ["a"]}, "en": 3}})");
    ASSERT_NE(odd.table("S", "es"), nullptr);
    EXPECT_FALSE(odd.table("S", "es")->value("n").isValid());
    EXPECT_EQ(odd.table("S", "es")->value("r"), QVariant(QRect(1, 2, 3, 4)));
    EXPECT_EQ(odd.table("S", "es")->value("l"), QVariant(QStringList{"a"}));
    EXPECT_TRUE(odd.table("S", "en")->isEmpty());
}
