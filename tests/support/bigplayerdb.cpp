#include "bigplayerdb.h"

#include "players/sqlitedb.h"

namespace corvane::testing {

std::string benchGuid(int n) {
    return "0110000" + std::to_string(100000000 + n * 7919LL % 900000000);
}

void fillPlayerDatabase(const std::filesystem::path& file, int count) {
    SqliteDb db;
    db.open(file);
    SqlTransaction fill(db);
    auto add = db.prepare("INSERT INTO playerdb (UserName, \"Group\", guid, FirstSeen, lastseen, "
                          "server) VALUES (?1, ?2, ?3, ?4, ?5, 'Alpha')");
    for (int n = 1; n <= count; ++n) {
        add->bind(1, "Player" + std::to_string(n * 31 % count))
            .bind(2, n % 50 == 0 ? "Admin" : "D")
            .bind(3, benchGuid(n))
            .bind(4, "2026-0" + std::to_string(1 + n % 9) + "-1" + std::to_string(n % 10))
            .bind(5, "2026-12-0" + std::to_string(1 + n % 5));
        add->run();
    }
    fill.commit();
}

} // namespace corvane::testing
