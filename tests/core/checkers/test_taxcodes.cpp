#include "checkers/TaxCodes.h"

#include <QTest>

using namespace pinakos;

Q_DECLARE_METATYPE(pinakos::FiscalVerdict)
Q_DECLARE_METATYPE(pinakos::VatVerdict)

namespace {

// Codes whose check characters come from a separate implementation of the
// published tables, over random letters and digits.
const char* const kValidFiscalCodes[] = {
    "RSSMRA85T10A562S", "MRTMTT25D09F205Z", "BNCGNN80A01H501T", "VRDLGU70M45F839Y", "LNZMRC64S24Z112F",
    "000000000000000I", "ZZZZZZZZZZZZZZZV", "AAAAAAAAAAAAAAAI", "999999999999999X", "XXXYYY99Z99Z999S",
    "OXYIMCFIP6NZB35V", "3Y5MZF5OBR704YHN", "QGEYYGDVPF57NJEN", "8C5MJ32S9W1IKG8P", "UW56MTJW7S6E68OR",
    "WPASVORC1QYT0LZC", "HKBMKTHAYVK1OI0P", "200FESGCFG77XJ6R", "5JEMBIVYHTWUXA5T", "NDCLLV12HFMO54JC",
    "YHG2I26F4ZX3ODMB", "D2HGNABX17F6M6OG", "U7Y7MASSFUZOSF9C", "0XU7TWSGM5XYTNSE", "ZY7WX1M576FRKE5Z",
    "R0HRSR6RR0PXPP6O", "3PO7MX5GHYFK1CID", "BMQFG33SFIWEUCFO", "IXEOCUOSWUE7HW1I", "KKQYJ1EG8OFSLVME",
    "GDD9LK9USP64HFIU", "IOUN0LKI2D2S01XM", "5X7LTR4IR5686SNT", "7ZI54HSZCCX6SWYH",
};

const char* const kValidVatNumbers[] = {
    "00743110157", "00159560366", "00000000000", "99999999990", "12345670587", "12345671205", "12345671213",
    "12345670009", "09201279263", "99158095515", "51723759554", "65025003859", "75782424073", "49474467716",
    "77529159756", "79638892285", "01843264316", "00735500027", "94400355163", "30188376161", "82125960466",
    "30417523062", "44484906332", "31725316587", "87795929279", "13859283361", "93529417599", "23960565416",
    "16769075835", "00985579192", "21074180338", "10556579273",
};

} // namespace

class TestTaxCodes : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The odd-position table as published, letters and digits.
    void oddTable_data()
    {
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("A-M") << "ABCDEFGHIJKLM" << QList<int>{1, 0, 5, 7, 9, 13, 15, 17, 19, 21, 2, 4, 18};
        QTest::newRow("N-Z") << "NOPQRSTUVWXYZ" << QList<int>{20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
        QTest::newRow("0-9") << "0123456789" << QList<int>{1, 0, 5, 7, 9, 13, 15, 17, 19, 21};
    }
    void oddTable()
    {
        QFETCH(QString, characters);
        QFETCH(QList<int>, values);
        for (int i = 0; i < characters.size(); ++i)
            QCOMPARE(fiscalOddValue(characters.at(i)), values.at(i));
    }

    void evenTable()
    {
        for (int i = 0; i < 26; ++i)
            QCOMPARE(fiscalEvenValue(QChar(u'A' + i)), i);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(fiscalEvenValue(QChar(u'0' + i)), i);
        QCOMPARE(fiscalEvenValue(u'a'), -1);
        QCOMPARE(fiscalOddValue(u'-'), -1);
        QCOMPARE(fiscalOddValue(QChar(0xC8)), -1); // È
    }

    void validFiscalCodes()
    {
        for (const char* code : kValidFiscalCodes) {
            const QString c = QString::fromLatin1(code);
            QCOMPARE(fiscalCheckCharacter(c.left(15)), c.at(15));
            QCOMPARE(checkFiscalCode(c), FiscalVerdict::Valid);
        }
    }

    // Every letter has its own value in both tables, so replacing any one
    // letter by another, in any place, breaks the check.
    void oneLetterChangedIsWrong()
    {
        for (const char* code : kValidFiscalCodes) {
            const QString c = QString::fromLatin1(code);
            for (int i = 0; i < 16; ++i) {
                if (c.at(i) < u'A')
                    continue;
                for (char16_t l = u'A'; l <= u'Z'; ++l) {
                    if (l == c.at(i))
                        continue;
                    QString changed = c;
                    changed[i] = QChar(l);
                    QVERIFY2(checkFiscalCode(changed) == FiscalVerdict::Wrong, qPrintable(changed));
                }
            }
        }
    }

    void fiscalVerdict_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<FiscalVerdict>("verdict");
        QTest::newRow("valid") << "RSSMRA85T10A562S" << FiscalVerdict::Valid;
        QTest::newRow("lower case judged as upper") << "rssmra85t10a562s" << FiscalVerdict::Valid;
        QTest::newRow("mixed case") << "RssMra85T10a562S" << FiscalVerdict::Valid;
        QTest::newRow("check one letter off") << "RSSMRA85T10A562T" << FiscalVerdict::Wrong;
        QTest::newRow("check one letter before") << "RSSMRA85T10A562R" << FiscalVerdict::Wrong;
        QTest::newRow("check a digit") << "RSSMRA85T10A5620" << FiscalVerdict::Wrong;
        QTest::newRow("two letters swapped") << "SRSMRA85T10A562S" << FiscalVerdict::Wrong;
        QTest::newRow("fifteen all digits") << "000000000000000I" << FiscalVerdict::Valid;
        QTest::newRow("15 characters") << "RSSMRA85T10A562" << FiscalVerdict::BadForm;
        QTest::newRow("17 characters") << "RSSMRA85T10A562SS" << FiscalVerdict::BadForm;
        QTest::newRow("40 characters") << QString(40, u'A') << FiscalVerdict::BadForm;
        QTest::newRow("empty") << "" << FiscalVerdict::BadForm;
        QTest::newRow("hyphen") << "RSSMRA85-10A562S" << FiscalVerdict::BadForm;
        QTest::newRow("inner blank") << "RSSMRA85 10A562S" << FiscalVerdict::BadForm;
        QTest::newRow("trailing blank, 16 long") << "RSSMRA85T10A562 " << FiscalVerdict::BadForm;
        QTest::newRow("accented capital") << QString::fromUtf8("RSSMRA85T10A562\u00C8") << FiscalVerdict::BadForm;
        QTest::newRow("accented small") << QString::fromUtf8("RSSMRA85T10A56\u00E8S") << FiscalVerdict::BadForm;
        QTest::newRow("full-width digit") << QString::fromUtf8("RSSMRA8\uFF15T10A562S") << FiscalVerdict::BadForm;
    }
    void fiscalVerdict()
    {
        QFETCH(QString, code);
        QFETCH(FiscalVerdict, verdict);
        QCOMPARE(checkFiscalCode(code), verdict);
    }

    void fiscalCheckCharacterNeedsFifteen()
    {
        QVERIFY(fiscalCheckCharacter(QStringLiteral("RSSMRA85T10A56")).isNull());
        QVERIFY(fiscalCheckCharacter(QStringLiteral("rssmra85t10a562")).isNull());
        QVERIFY(fiscalCheckCharacter(QStringLiteral("RSSMRA85T10A5622")).isNull());
    }

    void validVatNumbers()
    {
        for (const char* number : kValidVatNumbers) {
            const QString n = QString::fromLatin1(number);
            QCOMPARE(vatCheckDigit(n.left(10)), n.at(10).unicode() - u'0');
            QCOMPARE(checkVatNumber(n), VatVerdict::Valid);
        }
    }

    // The formula catches every change of a single digit.
    void oneDigitChangedIsWrong()
    {
        for (const char* number : kValidVatNumbers) {
            const QString n = QString::fromLatin1(number);
            for (int i = 0; i < 11; ++i)
                for (char16_t d = u'0'; d <= u'9'; ++d) {
                    if (d == n.at(i))
                        continue;
                    QString changed = n;
                    changed[i] = QChar(d);
                    QVERIFY2(checkVatNumber(changed) == VatVerdict::Wrong, qPrintable(changed));
                }
        }
    }

    void vatCheckDigits_data()
    {
        QTest::addColumn<QString>("first10");
        QTest::addColumn<int>("digit");
        QTest::newRow("zeros") << "0000000000" << 0;
        QTest::newRow("sum a multiple of 10") << "9999999999" << 0; // 45 + 45 = 90
        QTest::newRow("ones") << "1111111111" << 5; // 5 + 10
        QTest::newRow("doubled 7 adds 5") << "0700000000" << 5;
        QTest::newRow("doubled 5 adds 1") << "0500000000" << 9;
        QTest::newRow("odd place 7 adds 7") << "7000000000" << 3;
        QTest::newRow("nine digits") << "123456789" << -1;
        QTest::newRow("eleven digits") << "12345678901" << -1;
        QTest::newRow("a letter") << "12345A7890" << -1;
        QTest::newRow("a blank") << "12345 7890" << -1;
    }
    void vatCheckDigits()
    {
        QFETCH(QString, first10);
        QFETCH(int, digit);
        QCOMPARE(vatCheckDigit(first10), digit);
    }

    void vatVerdict_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<VatVerdict>("verdict");
        QTest::newRow("valid") << "00743110157" << VatVerdict::Valid;
        QTest::newRow("last digit one off") << "00743110158" << VatVerdict::Wrong;
        QTest::newRow("multiple of 10 not ending in 0") << "99999999991" << VatVerdict::Wrong;
        QTest::newRow("ten digits") << "0074311015" << VatVerdict::BadLength;
        QTest::newRow("twelve digits") << "007431101570" << VatVerdict::BadLength;
        QTest::newRow("empty") << "" << VatVerdict::BadLength;
        QTest::newRow("a letter among 11") << "0074311015A" << VatVerdict::Wrong;
        QTest::newRow("lower case among 11") << "00743a10157" << VatVerdict::Wrong;
        QTest::newRow("a blank among 11") << "0074311 157" << VatVerdict::Wrong;
        QTest::newRow("leading blank, 11 long") << " 0743110157" << VatVerdict::Wrong;
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("\u0660\u0660743110157") << VatVerdict::Wrong;
    }
    void vatVerdict()
    {
        QFETCH(QString, number);
        QFETCH(VatVerdict, verdict);
        QCOMPARE(checkVatNumber(number), verdict);
    }

    void offices_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("office");
        QTest::newRow("first") << "001"
                               << "Torino";
        QTest::newRow("058") << "058"
                             << "Roma 1";
        QTest::newRow("accented") << "040" << QString::fromUtf8("Forl\u00EC");
        QTest::newRow("parentheses") << "099"
                                     << "Chiavari (Genova 2)";
        QTest::newRow("101") << "101"
                             << "Bologna 2";
        QTest::newRow("102") << "102"
                             << "Napoli 2";
        QTest::newRow("120 as 101") << "120"
                                    << "Bologna 2";
        QTest::newRow("121 as 102") << "121"
                                    << "Napoli 2";
        QTest::newRow("000 has no row") << "000"
                                        << "";
        QTest::newRow("103 has no row") << "103"
                                        << "";
        QTest::newRow("119 has no row") << "119"
                                        << "";
        QTest::newRow("122 has no row") << "122"
                                        << "";
        QTest::newRow("999 has no row") << "999"
                                        << "";
        QTest::newRow("not padded") << "58"
                                    << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void offices()
    {
        QFETCH(QString, code);
        QFETCH(QString, office);
        QCOMPARE(vatOffice(code), office);
    }

    void officeTableHas104Rows()
    {
        QCOMPARE(vatOfficeCount(), 104);
        int found = 0;
        for (int i = 0; i < 1000; ++i)
            if (!vatOffice(QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'))).isEmpty())
                ++found;
        QCOMPARE(found, 104); // 001..102, 120, 121, each reachable
    }

    void messages_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        const QString valid = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n");
        QTest::newRow("058") << "12345670587" << valid + "E' stato rilasciato dall'Ufficio IVA del Comune di Roma 1.";
        QTest::newRow("120") << "12345671205"
                             << valid + "E' stato rilasciato dall'Ufficio IVA del Comune di Bologna 2.";
        QTest::newRow("040") << "12345670405"
                             << valid
                + QString::fromUtf8("E' stato rilasciato dall'Ufficio IVA del Comune di Forl\u00EC.");
        QTest::newRow("no row") << "12345671031"
                                << valid
                + QString::fromUtf8("Le cifre dell'Ufficio IVA (\"103\") non corrispondono ad alcun ufficio "
                                    "conosciuto: non \u00E8 quindi possibile indicare quale ufficio lo abbia "
                                    "rilasciato.");
    }
    void messages()
    {
        QFETCH(QString, number);
        QFETCH(QString, message);
        QCOMPARE(checkVatNumber(number), VatVerdict::Valid);
        QCOMPARE(vatValidMessage(number), message);
    }

    void fixedMessages()
    {
        QCOMPARE(fiscalBadFormMessage(),
                 QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici."));
        QCOMPARE(fiscalValidMessage(), QString::fromUtf8("Il codice fiscale digitato \u00E8 VALIDO."));
        QCOMPARE(fiscalWrongMessage(), QString::fromUtf8("Attenzione: il codice fiscale digitato \u00E8 ERRATO."));
        QCOMPARE(vatBadLengthMessage(),
                 QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici."));
        QCOMPARE(vatWrongMessage(),
                 QString::fromUtf8("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon \u00E8 "
                                   "quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                                   "rilasciato."));
    }
};

QTEST_GUILESS_MAIN(TestTaxCodes)
#include "test_taxcodes.moc"
