#include "AssetNames.h"

namespace assetnames {

const std::vector<std::string>& Sprites()
{
    static const std::vector<std::string> kNames = [] {
        std::vector<std::string> kList;
        for (const char* acName :
             {"title", "p-control", "p-control-hand", "r-control", "r-control-hand", "r-control-c",
              "s-control", "s-control-hand", "s-control-hand2", "line", "p-bar", "r-car", "s-ship",
              "p-line", "p-dotline", "p-ball", "p-bar2", "r-map1", "s-map1", "gage", "fuel",
              "track", "flag", "par"}) {
            kList.push_back(std::string("graphics\\") + acName);
        }
        for (const char* acName :
             {"item-minus", "item-plus", "item-fuel", "item-buffer", "item-ship"}) {
            kList.push_back(std::string("graphics\\items\\") + acName);
        }
        for (int i = 1; i <= 4; ++i) {
            kList.push_back("graphics\\levelup\\item-buffer" + std::to_string(i));
        }
        for (int i = 1; i <= 10; ++i) {
            kList.push_back("graphics\\objects\\r-ob" + std::to_string(i));
            kList.push_back("graphics\\objects\\s-ob" + std::to_string(i));
        }
        return kList;
    }();
    return kNames;
}

const std::vector<std::string>& Effects()
{
    static const std::vector<std::string> kNames = {"e1",   "e2",   "e3",  "e4",     "e5",
                                                    "shoot", "ping", "pong", "barp",  "barm",
                                                    "ship", "buffer", "fuel", "die1", "die2"};
    return kNames;
}

const std::vector<std::string>& Music()
{
    static const std::vector<std::string> kNames = {"m1", "m2", "m3", "m4", "m5"};
    return kNames;
}

}  // namespace assetnames
