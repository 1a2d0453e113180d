// The four draw sources: where each page is fetched from and the name the window
// shows for it. Hosts are build settings (QUENNIX_SOURCEn_HOST); paths are fixed.
#pragma once

#include <array>
#include <string_view>

#include "source_hosts.h"

struct SourceSite {
    std::string_view host;         // host or host:port
    std::string_view pathAndQuery;
    std::string_view displayName;  // shown ahead of "开奖结果"
};

inline constexpr std::array<SourceSite, 4> sourceSites{{
    {QUENNIX_SOURCE1_HOST, "/haoma/cqssc/freelist/120.aspx", "一号源"},
    {QUENNIX_SOURCE2_HOST, "/static/public/ssc/xml/historyopen.xml", "二号源"},
    {QUENNIX_SOURCE3_HOST, "/fucai/ssc/Trend.aspx?pos=1", "三号源"},
    {QUENNIX_SOURCE4_HOST, "/zs/CQSSC/5x_chzs.aspx?record=100", "四号源"},
}};

inline constexpr std::string_view homePageAddress = QUENNIX_HOME_PAGE;
