// SPDX-License-Identifier: GPL-3.0-or-later
// Generates calendar/SolarTermDays.inc: the China Standard Time day of each of the 24 solar terms for
// the Gregorian years 1901–2050, packed one byte per month (first term on day 15 - high nibble, second
// term on day 15 + low nibble).
//
// Usage (Node 18+; the VSOP87 data is read from the MIT-licensed npm package astronomia, installed
// outside the source tree):
//   npm install --prefix /tmp/solarterms astronomia@4.3.0
//   node tools/solarterms/solarterms.mjs /tmp/solarterms/node_modules/astronomia/data/vsop87Dearth.js \
//       > calendar/SolarTermDays.inc
// The terms that fall within two minutes of midnight are listed on standard error.
//
// Method: term k (1 = 小寒 … 24 = 冬至) is the instant at which the sun's apparent geocentric ecliptic
// longitude reaches 285° + 15°(k-1) (mod 360°). The apparent longitude is computed as in Meeus,
// Astronomical Algorithms (2nd ed.), ch. 25 "higher accuracy" and ch. 32:
//   1. heliocentric L, B, R of the Earth from the complete VSOP87D series (Bretagnon & Francou 1988;
//      ecliptic and equinox of date, dynamical time), all 2 425 terms;
//   2. geocentric sun: λ = L + 180°, β = -B;
//   3. conversion to the FK5 system: -0.09033″ + 0.03916″ (cos λ' + sin λ') tan β;
//   4. nutation in longitude Δψ, IAU 1980 theory (the 63 terms of 0.0003″ and above);
//   5. aberration -20.4898″ / R.
// Each instant is found by Newton iteration in Terrestrial Time to 1e-9 day, converted to UT with the
// Espenak–Meeus ΔT polynomials (NASA, "Polynomial expressions for Delta T"), then shifted by +8 h.
// The error of this chain is well under a second of arc (a few seconds of time), small against the
// uncertainty of ΔT itself for the years ahead.

import { pathToFileURL } from 'node:url';

const RAD = Math.PI / 180;
const ARCSEC = RAD / 3600;
const J2000 = 2451545.0;

function usage(message) {
    process.stderr.write(`solarterms: ${message}\nusage: node solarterms.mjs <path to vsop87Dearth.js>\n`);
    process.exit(2);
}

// ---- VSOP87D Earth --------------------------------------------------------------------------------

let Vsop; // { L: { "0": [[A, B, C], …], … }, B: …, R: … }

// Σ_n τ^n Σ A cos(B + C τ), τ in Julian millennia from J2000 (TT).
function vsopSeries(series, tau) {
    let sum = 0;
    let power = 1;
    for (let n = 0; series[n] !== undefined; ++n) {
        let s = 0;
        for (const [a, b, c] of series[n])
            s += a * Math.cos(b + c * tau);
        sum += s * power;
        power *= tau;
    }
    return sum;
}

// ---- Nutation: IAU 1980, terms of 0.0003″ and above -----------------------------------------------
// Columns: multiples of D, M, M', F, Ω; Δψ = (s0 + s1 T) sin(arg); units 0.0001″.
// Coefficients as tabulated in Meeus, Table 22.A (transcribed from astronomia, MIT licence).
const NUTATION = [
    [0, 0, 0, 0, 1, -171996, -174.2], [-2, 0, 0, 2, 2, -13187, -1.6], [0, 0, 0, 2, 2, -2274, -0.2],
    [0, 0, 0, 0, 2, 2062, 0.2], [0, 1, 0, 0, 0, 1426, -3.4], [0, 0, 1, 0, 0, 712, 0.1],
    [-2, 1, 0, 2, 2, -517, 1.2], [0, 0, 0, 2, 1, -386, -0.4], [0, 0, 1, 2, 2, -301, 0],
    [-2, -1, 0, 2, 2, 217, -0.5], [-2, 0, 1, 0, 0, -158, 0], [-2, 0, 0, 2, 1, 129, 0.1],
    [0, 0, -1, 2, 2, 123, 0], [2, 0, 0, 0, 0, 63, 0], [0, 0, 1, 0, 1, 63, 0.1],
    [2, 0, -1, 2, 2, -59, 0], [0, 0, -1, 0, 1, -58, -0.1], [0, 0, 1, 2, 1, -51, 0],
    [-2, 0, 2, 0, 0, 48, 0], [0, 0, -2, 2, 1, 46, 0], [2, 0, 0, 2, 2, -38, 0],
    [0, 0, 2, 2, 2, -31, 0], [0, 0, 2, 0, 0, 29, 0], [-2, 0, 1, 2, 2, 29, 0],
    [0, 0, 0, 2, 0, 26, 0], [-2, 0, 0, 2, 0, -22, 0], [0, 0, -1, 2, 1, 21, 0],
    [0, 2, 0, 0, 0, 17, -0.1], [2, 0, -1, 0, 1, 16, 0], [-2, 2, 0, 2, 2, -16, 0.1],
    [0, 1, 0, 0, 1, -15, 0], [-2, 0, 1, 0, 1, -13, 0], [0, -1, 0, 0, 1, -12, 0],
    [0, 0, 2, -2, 0, 11, 0], [2, 0, -1, 2, 1, -10, 0], [2, 0, 1, 2, 2, -8, 0],
    [0, 1, 0, 2, 2, 7, 0], [-2, 1, 1, 0, 0, -7, 0], [0, -1, 0, 2, 2, -7, 0],
    [2, 0, 0, 2, 1, -7, 0], [2, 0, 1, 0, 0, 6, 0], [-2, 0, 2, 2, 2, 6, 0],
    [-2, 0, 1, 2, 1, 6, 0], [2, 0, -2, 0, 1, -6, 0], [2, 0, 0, 0, 1, -6, 0],
    [0, -1, 1, 0, 0, 5, 0], [-2, -1, 0, 2, 1, -5, 0], [-2, 0, 0, 0, 1, -5, 0],
    [0, 0, 2, 2, 1, -5, 0], [-2, 0, 2, 0, 1, 4, 0], [-2, 1, 0, 2, 1, 4, 0],
    [0, 0, 1, -2, 0, 4, 0], [-1, 0, 1, 0, 0, -4, 0], [-2, 1, 0, 0, 0, -4, 0],
    [1, 0, 0, 0, 0, -4, 0], [0, 0, 1, 2, 0, 3, 0], [0, 0, -2, 2, 2, -3, 0],
    [-1, -1, 1, 0, 0, -3, 0], [0, 1, 1, 0, 0, -3, 0], [0, -1, 1, 2, 2, -3, 0],
    [2, -1, -1, 2, 2, -3, 0], [0, 0, 3, 2, 2, -3, 0], [2, -1, 0, 2, 2, -3, 0],
];

const poly = (t, ...c) => c.reduceRight((acc, k) => acc * t + k, 0);

// Nutation in longitude, radians; T in Julian centuries from J2000 (TT).
function nutationInLongitude(T) {
    const D = poly(T, 297.85036, 445267.11148, -0.0019142, 1 / 189474) * RAD;
    const M = poly(T, 357.52772, 35999.05034, -0.0001603, -1 / 300000) * RAD;
    const Mm = poly(T, 134.96298, 477198.867398, 0.0086972, 1 / 56250) * RAD;
    const F = poly(T, 93.27191, 483202.017538, -0.0036825, 1 / 327270) * RAD;
    const Om = poly(T, 125.04452, -1934.136261, 0.0020708, 1 / 450000) * RAD;
    let dpsi = 0;
    for (let i = NUTATION.length - 1; i >= 0; --i) { // smallest terms first
        const [d, m, mm, f, om, s0, s1] = NUTATION[i];
        dpsi += (s0 + s1 * T) * Math.sin(d * D + m * M + mm * Mm + f * F + om * Om);
    }
    return dpsi * 0.0001 * ARCSEC;
}

// ---- Apparent longitude of the sun ----------------------------------------------------------------

// Apparent geocentric ecliptic longitude of the sun, radians in [0, 2π); jde in TT.
function apparentSolarLongitude(jde) {
    const tau = (jde - J2000) / 365250;
    const T = tau * 10;
    const L = vsopSeries(Vsop.L, tau);
    const B = vsopSeries(Vsop.B, tau);
    const R = vsopSeries(Vsop.R, tau);
    let lambda = L + Math.PI;
    const beta = -B;
    const lambdaPrime = lambda - (1.397 * T + 0.00031 * T * T) * RAD;
    lambda += (-0.09033 + 0.03916 * (Math.cos(lambdaPrime) + Math.sin(lambdaPrime)) * Math.tan(beta)) * ARCSEC;
    lambda += nutationInLongitude(T);
    lambda += (-20.4898 / R) * ARCSEC;
    lambda %= 2 * Math.PI;
    return lambda < 0 ? lambda + 2 * Math.PI : lambda;
}

// ---- ΔT (Espenak & Meeus), seconds ----------------------------------------------------------------

function deltaT(y) { // y: decimal year
    if (y < 1900 || y >= 2150)
        throw new Error(`no ΔT polynomial for ${y}`);
    if (y < 1920) {
        const t = y - 1900;
        return poly(t, -2.79, 1.494119, -0.0598939, 0.0061966, -0.000197);
    }
    if (y < 1941) {
        const t = y - 1920;
        return poly(t, 21.2, 0.84493, -0.0761, 0.0020936);
    }
    if (y < 1961) {
        const t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        const t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        const t = y - 2000;
        return poly(t, 63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599);
    }
    if (y < 2050) {
        const t = y - 2000;
        return poly(t, 62.92, 0.32217, 0.005589);
    }
    const u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

// ---- Calendar arithmetic on Julian days -----------------------------------------------------------

const jdOfDate = (y, m, d) => Date.UTC(y, m - 1, d) / 86400000 + 2440587.5; // 0h UT of the day
function dateOfJd(jd) {
    const t = new Date(Math.round((jd - 2440587.5) * 86400000));
    return { y: t.getUTCFullYear(), m: t.getUTCMonth() + 1, d: t.getUTCDate(),
             h: t.getUTCHours(), min: t.getUTCMinutes(), s: t.getUTCSeconds() };
}

// The instant (JDE, TT) near `guess` at which the apparent longitude equals `target` (radians).
function solveLongitude(target, guess) {
    let jde = guess;
    for (let i = 0; i < 50; ++i) {
        let diff = target - apparentSolarLongitude(jde);
        diff -= 2 * Math.PI * Math.round(diff / (2 * Math.PI)); // into (-π, π]
        // The sun moves 0.9533° to 1.0194° a day; Newton with the mean rate converges quickly.
        const step = diff / (0.985647 * RAD);
        jde += step;
        if (Math.abs(step) < 1e-9)
            return jde;
    }
    throw new Error(`no convergence near JDE ${guess}`);
}

// ---- Main -----------------------------------------------------------------------------------------

const TermNames = ['小寒', '大寒', '立春', '雨水', '惊蛰', '春分', '清明', '谷雨', '立夏', '小满', '芒种', '夏至',
                   '小暑', '大暑', '立秋', '处暑', '白露', '秋分', '寒露', '霜降', '立冬', '小雪', '大雪', '冬至'];

async function main() {
    const path = process.argv[2];
    if (!path)
        usage('missing the path of vsop87Dearth.js');
    const mod = await import(pathToFileURL(path).href);
    Vsop = mod.default ?? mod;
    if (!Vsop.L || !Vsop.B || !Vsop.R || Vsop.type !== 'D')
        usage(`${path} is not the VSOP87D Earth series`);

    const rows = [];
    const nearMidnight = [];
    for (let y = 1901; y <= 2050; ++y) {
        const row = [];
        for (let m = 1; m <= 12; ++m) {
            const days = [];
            for (const k of [2 * m - 1, 2 * m]) {
                const target = ((285 + 15 * (k - 1)) % 360) * RAD;
                const guessDay = k % 2 ? 6 : 21; // first terms fall on days 3–9, second on 18–24
                const guess = jdOfDate(y, m, guessDay);
                const jde = solveLongitude(target, guess);
                const ut = jde - deltaT(y + (m - 0.5) / 12) / 86400;
                const cst = dateOfJd(ut + 8 / 24);
                if (cst.y !== y || cst.m !== m)
                    throw new Error(`term ${k} of ${y} fell in ${cst.y}-${cst.m}`);
                days.push(cst.d);
                const secondsOfDay = cst.h * 3600 + cst.min * 60 + cst.s;
                const fromMidnight = Math.min(secondsOfDay, 86400 - secondsOfDay);
                if (fromMidnight <= 120) {
                    const pad = (n) => String(n).padStart(2, '0');
                    nearMidnight.push(`${y} ${TermNames[k - 1]} ${y}-${pad(m)}-${pad(cst.d)} ` +
                                      `${pad(cst.h)}:${pad(cst.min)}:${pad(cst.s)} CST`);
                }
            }
            const [first, second] = days;
            if (first < 3 || first > 14 || second < 15 || second > 30)
                throw new Error(`term days ${first}/${second} of ${y}-${m} do not fit a byte`);
            row.push(((15 - first) << 4) | (second - 15));
        }
        rows.push(row);
    }

    const hex = (b) => '0x' + b.toString(16).padStart(2, '0');
    let out = '// Generated by tools/solarterms/solarterms.mjs from VSOP87D, IAU 1980 nutation and\n' +
              '// Espenak–Meeus ΔT; China Standard Time (UTC+8). Do not edit by hand.\n';
    rows.forEach((row, i) => { out += `${row.map(hex).join(', ')}, // ${1901 + i}\n`; });
    process.stdout.write(out);
    process.stderr.write(`terms within two minutes of midnight (CST):\n${nearMidnight.join('\n')}\n`);
}

main().catch((e) => {
    process.stderr.write(`solarterms: ${e.message}\n`);
    process.exit(1);
});
