// Network addresses the program talks to. The shipped program uses the compiled-in defaults;
// tests and the demonstration build pass loopback values.
#pragma once

#include <string>

namespace zandrel {

struct Endpoints {
    std::string scheme = "http";
    std::string suggestHost = "suggest.taobao.com";   // sources A and B
    std::string suggestHost2 = "suggest.taobao.com";  // source C
    std::string searchHost = "s.taobao.com";          // related searches
    std::string bannerUrl = "http://img.alicdn.com/imgextra/i4/zandrel/banner_191x254.jpg";
    std::string promotionUrl1 = "http://shop.taobao.com/zandrel";
    std::string promotionUrl2 = "http://item.taobao.com/zandrel";

    // "scheme://host" + pathAndQuery; host may carry ":port".
    std::string Url(const std::string& host, const std::string& pathAndQuery) const {
        return scheme + "://" + host + pathAndQuery;
    }
};

// The simulated marketplace of tools/marketplace on a loopback port (its default one unless given).
inline Endpoints DemoEndpoints(int port = 18080) {
    const std::string host = "127.0.0.1:" + std::to_string(port);
    Endpoints e;
    e.suggestHost = host;
    e.suggestHost2 = host;
    e.searchHost = host;
    e.bannerUrl = "http://" + host + "/banner.jpg";
    e.promotionUrl1 = "http://" + host + "/promo1";
    e.promotionUrl2 = "http://" + host + "/promo2";
    return e;
}

}  // namespace zandrel
