#include "account/records.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

using namespace TindAccount;

namespace {

QJsonObject parse(const char *json)
{
    return QJsonDocument::fromJson(json).object();
}

} // namespace

// Reading the cloud service's records never fails: wrong or missing fields
// keep their defaults.
class TestRecords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyObjectsGiveEmptyRecords()
    {
        const QJsonObject empty;
        QCOMPARE(User::fromJson(empty), User());
        QCOMPARE(Session::fromJson(empty), Session());
        QCOMPARE(Profile::fromJson(empty), Profile());
        QCOMPARE(Device::fromJson(empty), Device());
        QCOMPARE(GroupInvitation::fromJson(empty), GroupInvitation());
        const Group group = Group::fromJson(empty);
        QCOMPARE(group, Group());
        QVERIFY(group.id.isEmpty() && group.members.isEmpty() && group.pending_invitations.isEmpty());
    }

    void wrongTypesKeepDefaults()
    {
        const User user = User::fromJson(
            parse(R"({"id":7,"email":null,"display_name":["x"],"username":{"a":1},"created_at":12345})"));
        QCOMPARE(user, User());
        const Session session = Session::fromJson(parse(R"({"id":"s1","is_current":"true","last_active_at":""})"));
        Session expected;
        expected.id = "s1";
        QCOMPARE(session, expected);
    }

    void integersMustBeWholeAndInRange_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("expected");
        QTest::newRow("whole") << QByteArray(R"({"max_seats":5})") << 5;
        QTest::newRow("fraction") << QByteArray(R"({"max_seats":5.5})") << 0;
        QTest::newRow("numeric text") << QByteArray(R"({"max_seats":"5"})") << 0;
        QTest::newRow("too large") << QByteArray(R"({"max_seats":3000000000})") << 0;
        QTest::newRow("negative") << QByteArray(R"({"max_seats":-2})") << -2;
    }

    void integersMustBeWholeAndInRange()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, expected);
        QCOMPARE(Group::fromJson(parse(json.constData())).max_seats, expected);
        QByteArray summary = json;
        summary.replace("max_seats", "member_count");
        QCOMPARE(GroupSummary::fromJson(parse(summary.constData())).member_count, expected);
    }

    void datesAreIso8601_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("utc") << QJsonValue("2026-03-01T10:15:30Z") << QDateTime(QDate(2026, 3, 1), QTime(10, 15, 30), Qt::UTC);
        QTest::newRow("offset and fraction") << QJsonValue("2026-03-01T12:15:30.250+02:00")
                                             << QDateTime(QDate(2026, 3, 1), QTime(10, 15, 30, 250), Qt::UTC);
        QTest::newRow("empty") << QJsonValue("") << QDateTime();
        QTest::newRow("free form") << QJsonValue("last Tuesday") << QDateTime();
        QTest::newRow("number") << QJsonValue(1700000000) << QDateTime();
    }

    void datesAreIso8601()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QDateTime, expected);
        const QDateTime read = Session::fromJson(QJsonObject{{"last_active_at", value}}).last_active_at;
        QCOMPARE(read.isValid(), expected.isValid());
        if (expected.isValid())
            QCOMPARE(read.toUTC(), expected);
    }

    void listsKeepEveryElement()
    {
        const Group group = Group::fromJson(parse(
            R"({"id":"g","members":[{"account_id":"a","role":"owner"},3,{"account_id":"b"}],"pending_invitations":{"id":"x"}})"));
        QCOMPARE(group.members.size(), 3);
        QCOMPARE(group.members.at(0).role, QStringLiteral("owner"));
        QCOMPARE(group.members.at(1), GroupMember());
        QCOMPARE(group.members.at(2).account_id, QStringLiteral("b"));
        QVERIFY(group.pending_invitations.isEmpty());
        QCOMPARE(recordsFromJson<Device>(parse(R"({"devices":{"id":"d"}})"), "devices"), QList<Device>());
        QCOMPARE(recordsFromJson<Session>(parse(R"({"sessions":[1]})"), "sessions"), QList<Session>{Session()});
    }

    void profileGroupFollowsTheKeysPresence()
    {
        QVERIFY(!Profile::fromJson(parse(R"({"id":"p"})")).group);
        const Profile withNull = Profile::fromJson(parse(R"({"id":"p","group":null})"));
        QVERIFY(withNull.group);
        QCOMPARE(*withNull.group, GroupSummary());
        const Profile owner = Profile::fromJson(parse(R"({"group":{"id":"g","name":"Home","role":"owner","member_count":3}})"));
        QCOMPARE(owner.group, (std::optional<GroupSummary>(GroupSummary{"g", "Home", "owner", 3})));
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
