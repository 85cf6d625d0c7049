// SPDX-License-Identifier: GPL-3.0-or-later
// The day's almanac (黄历): the items that follow from the day's 干支, its month branch and the date.
#include "DateCn.h"

namespace DateCn {

namespace {

// 建除十二值星, from 建 (day branch = month branch) on.
constexpr const char* JianChuStars[12] = {"建", "除", "满", "平", "定", "执",
                                          "破", "危", "成", "收", "开", "闭"};

// 值神 from 青龙 on, and whether each walks the 黄道.
struct ZhiShenRow {
    const char* Name;
    bool HuangDao;
};
constexpr ZhiShenRow ZhiShenGods[12] = {
    {"青龙", true},  {"明堂", true}, {"天刑", false}, {"朱雀", false}, {"金匮", true}, {"天德", true},
    {"白虎", false}, {"玉堂", true}, {"天牢", false}, {"玄武", false}, {"司命", true}, {"勾陈", false},
};

// 二十八宿 in order from 角, each with its 七曜 (木金土日月火水, repeating) and animal.
constexpr const char* XiuNames[28] = {
    "角木蛟", "亢金龙", "氐土貉", "房日兔", "心月狐", "尾火虎", "箕水豹", // 东方青龙
    "斗木獬", "牛金牛", "女土蝠", "虚日鼠", "危月燕", "室火猪", "壁水貐", // 北方玄武
    "奎木狼", "娄金狗", "胃土雉", "昴日鸡", "毕月乌", "觜火猴", "参水猿", // 西方白虎
    "井木犴", "鬼金羊", "柳土獐", "星日马", "张月鹿", "翼火蛇", "轸水蚓", // 南方朱雀
};
// 2019-01-17, a 角 day, is day 43482; 43482 mod 28 = 26.
constexpr int XiuCycleOffset = 28 - 26;

// The animals of the branches 子 … 亥.
constexpr const char* BranchAnimals[12] = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                           "马", "羊", "猴", "鸡", "狗", "猪"};

// 煞 by branch mod 4: 子辰申 南, 丑巳酉 东, 寅午戌 北, 卯未亥 西.
constexpr const char* ShaDirections[4] = {"南", "东", "北", "西"};

// 彭祖百忌: one saying per stem and one per branch.
constexpr const char* PengZuStems[10] = {
    "甲不开仓财物耗散", "乙不栽植千株不长", "丙不修灶必见灾殃", "丁不剃头头必生疮", "戊不受田田主不祥",
    "己不破券二比并亡", "庚不经络织机虚张", "辛不合酱主人不尝", "壬不汲水更难提防", "癸不词讼理弱敌强",
};
constexpr const char* PengZuBranches[12] = {
    "子不问卜自惹祸殃", "丑不冠带主不还乡", "寅不祭祀神鬼不尝", "卯不穿井水泉不香",
    "辰不哭泣必主重丧", "巳不远行财物伏藏", "午不苫盖屋主更张", "未不服药毒气入肠",
    "申不安床鬼祟入房", "酉不会客醉坐颠狂", "戌不吃犬作怪上床", "亥不嫁娶不利新郎",
};

// 六十甲子纳音歌: entry k is the 纳音 of cycle entries 2k and 2k + 1.
constexpr const char* NaYin[30] = {
    "海中金", "炉中火", "大林木", "路旁土", "剑锋金", "山头火", // 甲子 … 乙亥
    "涧下水", "城头土", "白蜡金", "杨柳木", "井泉水", "屋上土", // 丙子 … 丁亥
    "霹雳火", "松柏木", "长流水", "沙中金", "山下火", "平地木", // 戊子 … 己亥
    "壁上土", "金箔金", "覆灯火", "天河水", "大驿土", "钗钏金", // 庚子 … 辛亥
    "桑柘木", "大溪水", "沙中土", "天上火", "石榴木", "大海水", // 壬子 … 癸亥
};

// 六甲胎神歌: the god sits at a place of the day stem (甲己 门, 乙庚 碓磨, 丙辛 厨灶, 丁壬 仓库, 戊癸 房床)
// and one of the day branch (子午 碓, 丑未 厕, 寅申 炉, 卯酉 门, 辰戌 栖, 巳亥 床).
constexpr const char* TaiShenStemPlaces[5] = {"门", "碓磨", "厨灶", "仓库", "房床"};
constexpr const char* TaiShenBranchPlaces[6] = {"碓", "厕", "炉", "门", "栖", "床"};
// Where in or outside the house it lies, by cycle entry, ten entries a row from 甲子.
constexpr const char* TaiShenQuarters[60] = {
    "外东南", "外东南", "外正南", "外正南", "外正南", "外正南", "外正南", "外西南", "外西南", "外西南",
    "外西南", "外西南", "外西南", "外正西", "外正西", "外正西", "外正西", "外正西", "外西北", "外西北",
    "外西北", "外西北", "外西北", "外西北", "外正北", "外正北", "外正北", "外正北", "外正北", "房内北",
    "房内北", "房内北", "房内北", "房内北", "房内中", "房内中", "房内南", "房内南", "房内南", "房内西",
    "房内东", "房内东", "房内东", "房内东", "房内中", "外东北", "外东北", "外东北", "外东北", "外东北",
    "外东北", "外正东", "外正东", "外正东", "外正东", "外正东", "外东南", "外东南", "外东南", "外东南",
};

// The directions of the day's gods by the day stem 甲 … 癸.
constexpr const char* XiShenDirections[10] = {"东北", "西北", "西南", "正南", "东南",
                                              "东北", "西北", "西南", "正南", "东南"};
// 甲己正北，丙辛西北，乙庚坤位（西南），戊癸艮（东北），丁壬巽（东南）.
constexpr const char* FuShenDirections[10] = {"正北", "西南", "西北", "东南", "东北",
                                              "正北", "西南", "西北", "东南", "东北"};
constexpr const char* CaiShenDirections[10] = {"东北", "东北", "西南", "西南", "正北",
                                               "正北", "正东", "正东", "正南", "正南"};
constexpr const char* YangGuiDirections[10] = {"西南", "西南", "正西", "西北", "东北",
                                               "正北", "正南", "东北", "正东", "东南"};
constexpr const char* YinGuiDirections[10] = {"东北", "正北", "西北", "正西", "西南",
                                              "西南", "东北", "正南", "东南", "正东"};

// The 禄 branch of each stem:
// 甲禄在寅，乙禄在卯，丙戊禄在巳，丁己禄在午，庚禄在申，辛禄在酉，壬禄在亥，癸禄在子.
constexpr int LuBranches[10] = {2, 3, 5, 6, 5, 6, 8, 9, 11, 0};

// The day's 干支 (cycle entry 0..59) and its month branch (0..11); Valid is false outside the range.
struct Day {
    bool Valid;
    int Cycle;
    int MonthBranch;
    int Stem() const { return Cycle % 10; }
    int Branch() const { return Cycle % 12; }
};

Day DayOf(TDateTime date) {
    const int cycle = GanZhiDayIndex(date);
    if (cycle < 0)
        return {false, 0, 0};
    return {true, cycle, GanZhiMonthIndex(date) % 12};
}

// The text of a day-stem table, or empty outside the range.
std::string ByStem(TDateTime date, const char* const (&table)[10]) {
    const int cycle = GanZhiDayIndex(date);
    return cycle < 0 ? std::string() : table[cycle % 10];
}

// Position 0..11 of the day's 值神 from 青龙: 青龙 stands on 申 (8) in a 子 or 午 month and two branches
// further for each month after, so on branch 8 + 2 × (month branch mod 6).
int ZhiShenIndex(const Day& day) {
    const int qingLong = (8 + 2 * (day.MonthBranch % 6)) % 12;
    return (day.Branch() - qingLong + 12) % 12;
}

} // namespace

std::string GetJianChu(TDateTime date) {
    const Day day = DayOf(date);
    return day.Valid ? JianChuStars[(day.Branch() - day.MonthBranch + 12) % 12] : "";
}

std::string GetZhiShen(TDateTime date) {
    const Day day = DayOf(date);
    return day.Valid ? ZhiShenGods[ZhiShenIndex(day)].Name : "";
}

std::string GetHuangDao(TDateTime date) {
    const Day day = DayOf(date);
    if (!day.Valid)
        return {};
    return ZhiShenGods[ZhiShenIndex(day)].HuangDao ? "黄道" : "黑道";
}

std::string GetXiu(TDateTime date) {
    return GetXiuName(date).substr(0, 3); // the first character of the full name
}

std::string GetXiuName(TDateTime date) {
    if (GanZhiDayIndex(date) < 0)
        return {};
    // Days 367..55153 in the range, so the sum stays positive.
    return XiuNames[(static_cast<int>(date) + XiuCycleOffset) % 28];
}

std::string GetChong(TDateTime date) {
    const int cycle = GanZhiDayIndex(date);
    return cycle < 0 ? std::string() : BranchAnimals[(cycle % 12 + 6) % 12];
}

std::string GetChongGanZhi(TDateTime date) {
    const int cycle = GanZhiDayIndex(date);
    if (cycle < 0)
        return {};
    return std::string(Stems[(cycle % 10 + 4) % 10]) + Branches[(cycle % 12 + 6) % 12];
}

std::string GetSha(TDateTime date) {
    const int cycle = GanZhiDayIndex(date);
    return cycle < 0 ? std::string() : ShaDirections[cycle % 12 % 4];
}

std::string GetPengZuBaiJi(TDateTime date) {
    const int cycle = GanZhiDayIndex(date);
    if (cycle < 0)
        return {};
    return std::string(PengZuStems[cycle % 10]) + " " + PengZuBranches[cycle % 12];
}

std::string GetNaYin(TDateTime date) {
    const int cycle = GanZhiDayIndex(date);
    return cycle < 0 ? std::string() : NaYin[cycle / 2];
}

std::string GetTaiShen(TDateTime date) {
    const int cycle = GanZhiDayIndex(date);
    if (cycle < 0)
        return {};
    const std::string stemPlace = TaiShenStemPlaces[cycle % 5];
    const std::string branchPlace = TaiShenBranchPlaces[cycle % 6];
    std::string place;
    if (stemPlace == "门") // 甲己日: 占门 and the branch's place; on 卯 and 酉 days the two doors are 大门
        place = branchPlace == "门" ? "占大门" : "占门" + branchPlace;
    else if (stemPlace.find(branchPlace) != std::string::npos) // 碓磨 with 碓, 房床 with 床
        place = "占" + stemPlace;
    else
        place = stemPlace + branchPlace;
    return place + " " + TaiShenQuarters[cycle];
}

std::string GetXiShen(TDateTime date) {
    return ByStem(date, XiShenDirections);
}
std::string GetFuShen(TDateTime date) {
    return ByStem(date, FuShenDirections);
}
std::string GetCaiShen(TDateTime date) {
    return ByStem(date, CaiShenDirections);
}
std::string GetYangGui(TDateTime date) {
    return ByStem(date, YangGuiDirections);
}
std::string GetYinGui(TDateTime date) {
    return ByStem(date, YinGuiDirections);
}

std::string GetRiLu(TDateTime date) {
    const int cycle = GanZhiDayIndex(date);
    if (cycle < 0)
        return {};
    std::string text = std::string(Branches[LuBranches[cycle % 10]]) + "命互禄";
    std::string jin; // none, one or two stems: 巳 is the 禄 of 丙 and 戊, 午 that of 丁 and 己
    for (int stem = 0; stem < 10; ++stem)
        if (LuBranches[stem] == cycle % 12)
            jin += Stems[stem];
    return jin.empty() ? text : text + " " + jin + "命进禄";
}

} // namespace DateCn
