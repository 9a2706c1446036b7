#include "Course.h"

#include <algorithm>
#include <functional>
#include <string>

#include "Random.h"

// Rules of the course. A row is spawned every 8 frames at y -2000, column c at x = c * 145 - 450.
//
// Zones and what each may hold:
//   columns 0..6   paddle court: sparse slow obstacles (types 3..6, 10, 11) and items; the ball
//                  game is hard enough on its own, so at most one obstacle every few rows.
//   column 7       the gap between court and road: only fuel, as a reward for crossing.
//   columns 8..15  the road: car-zone obstacles (types 0..9). Weaving types 7 and 9 start in
//                  columns 8..12 so that their sideways drift stays on the road.
//   columns 16..23 space: enemies (types 10..17). Weaving types 13, 14 start in 16..21.
//   The bullets (18, 19) are never placed; the enemies fire their own.
//
// Fairness:
//   - the first 24 rows are empty apart from a fuel can: time to find the controls;
//   - a row holds at most 3 obstacles on the road and 2 enemies in space, and always leaves
//     two neighbouring road columns free, so no row is an unbroken wall;
//   - one column gets a new obstacle at least 6 rows after the last one, and one of the other
//     speed (3 or 6 units a frame) only 40 rows after it, so that no obstacle runs into the one
//     before it and none stack up into a column-long wall;
//   - every 100 rows a breather of 10 rows holds only items;
//   - the armoured cruiser (type 17, 15 hits) comes only after row 200, at most once per 60 rows;
//   - fuel: one can on the road every 30 rows, more than the car burns crossing those rows
//     (30 rows are 240 frames, 15 fuel units; a can gives 20), and three in the last 20 rows
//     before the map runs out, for the stretch of random traffic that follows;
//   - shields on the road every 45 rows, guns in space every 40 rows, paddle growth in the
//     court every 50 rows; shrinking items only after row 250 and only in the court.
//
// Difficulty rises along the rows: the chance of a road or space row holding obstacles grows
// from 30 % to 90 %, the number per row from 1 toward the limit, and the faster, weaving and
// homing types become more common.

namespace assets {
namespace {

constexpr int kEmpty = -1;
constexpr int kFuel = 22, kPlus = 21, kMinus = 20, kShield = 23, kGuns = 24;
constexpr int kCruiser = 17;
constexpr int kRoadFirst = 8, kRoadLast = 15, kSpaceFirst = 16, kSpaceLast = 23;

float Progress(int row) { return static_cast<float>(row) / (kCourseRows - 1); }

bool Breather(int row) { return row < 24 || (row % 100) >= 90; }

// Types by stage: early the plain ones, later weaving and homing ones join.
int RoadObstacle(Random& random, int row)
{
    static const int early[] = {0, 1, 2, 3, 4, 5, 6};
    static const int late[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 7, 8, 9};
    if (Progress(row) < 0.3f)
        return early[random.Below(7)];
    return late[random.Below(13)];
}

int SpaceEnemy(Random& random, int row, int& lastCruiser)
{
    static const int early[] = {10, 11, 10, 11, 12, 16};
    static const int late[] = {10, 11, 12, 13, 14, 15, 16, 13, 14, 15};
    if (row > 200 && row - lastCruiser >= 60 && random.Below(8) == 0) {
        lastCruiser = row;
        return kCruiser;
    }
    if (Progress(row) < 0.3f)
        return early[random.Below(6)];
    return late[random.Below(10)];
}

bool FitsColumn(int type, int column)
{
    if (type == 7 || type == 9)
        return column <= 12;
    if (type == 13 || type == 14)
        return column <= 21;
    return true;
}

// True when two neighbouring road columns stay free.
bool RoadLeavesGap(const CourseRow& row)
{
    for (int c = kRoadFirst; c < kRoadLast; ++c)
        if (row[c] == kEmpty && row[c + 1] == kEmpty)
            return true;
    return false;
}

bool Fast(int type) { return type <= 2 || type == 12 || type == 16; }

// The last obstacle placed in each column.
struct ColumnHistory {
    std::array<int, kCourseColumns> row;
    std::array<bool, kCourseColumns> fast;
    ColumnHistory()
    {
        row.fill(-1000);
        fast.fill(false);
    }
    bool Allows(int column, int type, int r) const
    {
        const int gap = r - row[column];
        return gap >= 6 && (Fast(type) == fast[column] || gap >= 40);
    }
    void Place(int column, int type, int r)
    {
        row[column] = r;
        fast[column] = Fast(type);
    }
};

void PlaceObstacles(CourseRow& row, ColumnHistory& history, Random& random, int rowIndex, int first,
                    int last, int limit, const std::function<int()>& pick)
{
    const float p = Progress(rowIndex);
    if (random.Unit() > 0.3f + 0.6f * p)
        return;
    const int count = 1 + random.Below(1 + static_cast<int>(p * (limit - 1) + 0.5f));
    for (int n = 0; n < count; ++n) {
        const int column = first + random.Below(last - first + 1);
        const int type = pick();
        if (row[column] != kEmpty || !history.Allows(column, type, rowIndex) || !FitsColumn(type, column))
            continue;
        row[column] = type;
        if (first == kRoadFirst && !RoadLeavesGap(row)) {
            row[column] = kEmpty;
            continue;
        }
        history.Place(column, type, rowIndex);
    }
}

void PlaceItems(CourseRow& row, Random& random, int r)
{
    auto freeColumn = [&](int first, int last) {
        for (int tries = 0; tries < 16; ++tries) {
            const int c = first + random.Below(last - first + 1);
            if (row[c] == kEmpty)
                return c;
        }
        return -1;
    };
    auto place = [&](int type, int first, int last) {
        const int c = freeColumn(first, last);
        if (c >= 0)
            row[c] = type;
    };
    if (r % 30 == 10 || r == 482 || r == 489 || r == 496)
        place(kFuel, kRoadFirst, kRoadLast);
    if (r % 45 == 30)
        place(kShield, kRoadFirst, kRoadLast);
    if (r % 40 == 20)
        place(kGuns, kSpaceFirst, kSpaceLast);
    if (r % 50 == 5)
        place(kPlus, 0, 6);
    if (r > 250 && r % 70 == 40)
        place(kMinus, 0, 6);
    if (r % 60 == 45)
        row[7] = kFuel;
}

void PlaceCourtObstacle(CourseRow& row, Random& random, int r)
{
    static const int slow[] = {3, 4, 5, 6, 10, 11};
    if (r % 6 == 0 && random.Unit() < 0.1f + 0.3f * Progress(r))
        row[random.Below(7)] = slow[random.Below(6)];  // one column in 6 rows: never stacks
}

}  // namespace

std::vector<CourseRow> BuildCourse()
{
    Random random(0xC0025E);
    std::vector<CourseRow> course;
    ColumnHistory history;
    int lastCruiser = -1000;
    for (int r = 0; r < kCourseRows; ++r) {
        CourseRow row;
        row.fill(kEmpty);
        if (!Breather(r)) {
            PlaceObstacles(row, history, random, r, kRoadFirst, kRoadLast, 3,
                           [&] { return RoadObstacle(random, r); });
            PlaceObstacles(row, history, random, r, kSpaceFirst, kSpaceLast, 2,
                           [&] { return SpaceEnemy(random, r, lastCruiser); });
            PlaceCourtObstacle(row, random, r);
        }
        if (r == 12)
            row[11] = kFuel;
        PlaceItems(row, random, r);
        course.push_back(row);
    }
    return course;
}

void WriteCourse(Output& out, const std::vector<CourseRow>& course)
{
    std::string text;
    for (const CourseRow& row : course) {
        for (int c = 0; c < kCourseColumns; ++c)
            text += (c ? " " : "") + std::to_string(row[c]);
        text += "\n";
    }
    out.WriteText("graphics\\map.txt", text);
}

}  // namespace assets
