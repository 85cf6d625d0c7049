// SPDX-License-Identifier: GPL-3.0-or-later
// Compares the calendar engine, day by day, with an independent calendar: the npm package
// lunar-javascript. Run by hand (not by CTest, which cannot count on npm):
//   npm install --prefix /tmp/lunarjs lunar-javascript@1.7.7
//   build/bin/datecn-dump --ganzhi 1901-01-01 2050-12-31 | \
//       node tests/calendar/compare-lunar-javascript.mjs /tmp/lunarjs/node_modules/lunar-javascript
// and the same with --almanac in place of --ganzhi.
// Checked per day: the lunar month, leap flag and day; the solar term; the traditional festival; the
// zodiac animal; the weekday. Given the output of `datecn-dump --ganzhi`, also the 干支 of the year (from
// 正月初一), of the month (from the day of its 节) and of the day.
// Given the output of `datecn-dump --almanac` instead, the almanac of each day: 建除, 值神 and 黄道, 宿,
// 冲, 煞, 彭祖百忌, 纳音, 胎神, the directions of the five gods and 日禄.
// Prints every disagreement and a summary; exits 1 if there is any.

import { createRequire } from 'node:module';
import { createInterface } from 'node:readline';
import path from 'node:path';

const pkg = process.argv[2];
if (!pkg) {
    process.stderr.write('usage: datecn-dump FROM TO | node compare-lunar-javascript.mjs <lunar-javascript dir>\n');
    process.exit(2);
}
const { Solar } = createRequire(import.meta.url)(path.resolve(pkg));

const Festivals = new Set(['春节', '元宵节', '端午节', '七夕节', '中秋节', '重阳节', '腊八节', '除夕']);
// lunar-javascript names the boundary terms of the neighbouring years by pinyin keys.
const PinyinTerms = { DONG_ZHI: '冬至', XIAO_HAN: '小寒', DA_HAN: '大寒', LI_CHUN: '立春', YU_SHUI: '雨水',
                      JING_ZHE: '惊蛰' };

let days = 0;
const mismatches = { lunar: 0, term: 0, festival: 0, zodiac: 0, weekday: 0 };
let ganzhiDays = 0;
const report = (kind, date, ours, theirs) => {
    ++mismatches[kind];
    process.stdout.write(`${date}\t${kind}\tdatecn=${ours}\tlunar-javascript=${theirs}\n`);
};

// The almanac keys of datecn-dump --almanac and the same item from lunar-javascript's Lunar.
const AlmanacItems = {
    '建除': (l) => l.getZhiXing(),
    '值神': (l) => l.getDayTianShen(),
    '黄道': (l) => l.getDayTianShenType(),
    '宿': (l) => l.getXiu(),
    '冲': (l) => l.getDayChongShengXiao(),
    '煞': (l) => l.getDaySha(),
    '彭祖': (l) => `${l.getPengZuGan()} ${l.getPengZuZhi()}`,
    '纳音': (l) => l.getDayNaYin(),
    '胎神': (l) => l.getDayPositionTai(),
    '喜神': (l) => l.getDayPositionXiDesc(),
    '福神': (l) => l.getDayPositionFuDesc(),
    '财神': (l) => l.getDayPositionCaiDesc(),
    '阳贵': (l) => l.getDayPositionYangGuiDesc(),
    '阴贵': (l) => l.getDayPositionYinGuiDesc(),
    '日禄': (l) => l.getDayLu(),
};
let almanacDays = 0;
// Spelling aside: lunar-javascript writes 壬不泱水 for 壬不汲水, 泉中水 for the 纳音 井泉水 of 甲申 and 乙酉, and
// "丙,戊命进禄" for 丙戊命进禄. Counted apart, as spelling, not as disagreements.
const AlmanacSpellings = [['泱水', '汲水'], ['泉中水', '井泉水'], [/([甲乙丙丁戊己庚辛壬癸]),([甲乙丙丁戊己庚辛壬癸])/, '$1$2']];
const spellings = {};

const compareAlmanac = (f) => {
    const date = f[0];
    const [y, m, d] = date.split('-').map(Number);
    ++days;
    ++almanacDays;
    const lunar = Solar.fromYmd(y, m, d).getLunar();
    const ours = Object.fromEntries(f.slice(1).map((kv) => [kv.slice(0, kv.indexOf('=')), kv.slice(kv.indexOf('=') + 1)]));
    for (const [key, theirs] of Object.entries(AlmanacItems)) {
        mismatches[key] ??= 0;
        const value = theirs(lunar);
        const respelt = AlmanacSpellings.reduce((v, [from, to]) => v.replace(from, to), value);
        if (ours[key] !== respelt)
            report(key, date, ours[key] ?? '-', value);
        else if (value !== respelt)
            spellings[key] = (spellings[key] ?? 0) + 1;
    }
};

for await (const line of createInterface({ input: process.stdin })) {
    const f = line.split('\t');
    if (f.length === 16 && f[1].startsWith('建除=')) {
        compareAlmanac(f);
        continue;
    }
    if (f.length !== 12 && f.length !== 15)
        throw new Error(`not a datecn-dump line: ${line}`);
    const [date, code, , , festival, , term, zodiac, , , , weekday] = f;
    const [y, m, d] = date.split('-').map(Number);
    ++days;
    const solar = Solar.fromYmd(y, m, d);
    const lunar = solar.getLunar();

    const lm = lunar.getMonth(); // negative for a leap month
    const theirCode = Math.sign(lm) * (Math.abs(lm) * 100 + lunar.getDay());
    if (Number(code) !== theirCode)
        report('lunar', date, code, theirCode);

    let theirTerm = lunar.getJieQi();
    theirTerm = PinyinTerms[theirTerm] ?? theirTerm;
    if (term !== theirTerm)
        report('term', date, term || '-', theirTerm || '-');

    // lunar-javascript spells 七夕 and 中秋 etc. as its own festival list; keep the eight we know.
    const theirFestival = lunar.getFestivals().map((n) => (n === '七夕' ? '七夕节' : n)).find((n) => Festivals.has(n)) ?? '';
    if (festival !== theirFestival)
        report('festival', date, festival || '-', theirFestival || '-');

    const theirZodiac = lunar.getYearZhi() + lunar.getYearShengXiao();
    if (zodiac !== theirZodiac)
        report('zodiac', date, zodiac, theirZodiac);

    if (Number(weekday) !== solar.getWeek() + 1) // getWeek: 0 = Sunday
        report('weekday', date, weekday, solar.getWeek() + 1);

    if (f.length === 15) {
        // The day-based variants: the year from 正月初一, the month from the day of its 节 (not the
        // exact moment of the term), the day from midnight.
        ++ganzhiDays;
        const theirs = [lunar.getYearInGanZhi(), lunar.getMonthInGanZhi(), lunar.getDayInGanZhi()];
        ['ganzhiYear', 'ganzhiMonth', 'ganzhiDay'].forEach((kind, i) => {
            mismatches[kind] ??= 0;
            if (f[12 + i] !== theirs[i])
                report(kind, date, f[12 + i] || '-', theirs[i]);
        });
    }
}

const total = Object.values(mismatches).reduce((a, b) => a + b, 0);
process.stdout.write(`${days} days compared (${ganzhiDays} with 干支, ${almanacDays} almanac); mismatches: ${JSON.stringify(mismatches)}\n`);
if (almanacDays)
    process.stdout.write(`spelled differently (not counted): ${JSON.stringify(spellings)}\n`);
process.exit(total ? 1 : 0);
