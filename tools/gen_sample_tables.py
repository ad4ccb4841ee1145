#!/usr/bin/env python3
"""Write the sample reference tables of data/sample/ from the payment-system facts.

Usage: gen_sample_tables.py FACTS_DIR [OUT_DIR]

FACTS_DIR holds cnaps-cities.csv (UTF-8: CityCode, CityName, ProvinceName, ProvinceCode)
and cnaps-bank-types.tsv (UTF-8: code, name). OUT_DIR defaults to data/sample/ beside
this script's folder. Four files are written, each GBK with CR LF after every line:

  banktype.xml  code=name              (the bank pickers, in code order)
  state.xml     code=name              (provinces, 2-digit codes, in code order)
  city.xml      province=city=name     (province code filled to 4 digits; plain names,
                                         the program indents sub-areas itself)
  BankCode.xml  code=name              (a made-up but plausible branch table)

The branch table is random but reproducible (fixed seed). Every bank-and-city prefix
opens with its superior branch, so a branch picker filtered by prefix shows it first.
"""

import csv
import random
import sys
from pathlib import Path

SEED = 20240611

# The list of bank types is older than a couple of renames; the pickers should show
# the names a user knows today.
RENAMED_BANKS = {
    "306": "广发银行",
    "307": "平安银行",
}

# The issuing bank has no payment-system code of its own, but users pick it in the
# bank pickers like any other bank. Its code only has to stay clear of the real ones.
OWN_BANK_NAME = "澜港银行"
OWN_BANK_PREFERRED_CODES = ["323", "324", "325", "326", "327", "328", "329"]

BIG_FIVE = ["102", "103", "104", "105", "301"]
POSTAL = "403"
JOINT_STOCK = ["302", "303", "304", "305", "306", "307", "308", "309", "310",
               "315", "316", "318", "319"]
POLICY = ["201", "202", "203"]
FOREIGN = ["501", "502", "531", "561", "712", "782"]

# Cities outside the province capitals that the big banks run as full branches.
MAJOR_CITIES = ["大连市", "青岛市", "宁波市", "厦门市", "深圳市", "苏州市", "无锡市"]
FOREIGN_CITIES = ["北京市", "上海市", "广州市", "深圳市"]

# Sub-branch names: the districts of the four municipalities, a generic pool elsewhere.
DISTRICTS = {
    "北京市": ["东城", "西城", "朝阳", "海淀", "丰台", "石景山", "门头沟", "房山", "通州",
             "顺义", "昌平", "大兴", "怀柔", "平谷", "密云", "延庆", "中关村", "金融街",
             "亚运村", "王府井", "西单", "国贸", "望京", "燕莎", "复兴门", "宣武门"],
    "上海市": ["黄浦", "徐汇", "长宁", "静安", "普陀", "虹口", "杨浦", "闵行", "宝山",
             "嘉定", "浦东", "金山", "松江", "青浦", "奉贤", "崇明", "陆家嘴", "外滩",
             "张江", "南京东路", "淮海路", "五角场"],
    "天津市": ["和平", "河东", "河西", "南开", "河北", "红桥", "滨海", "东丽", "西青",
             "津南", "北辰", "武清", "宝坻", "塘沽", "开发区"],
    "重庆市": ["渝中", "江北", "南岸", "九龙坡", "沙坪坝", "大渡口", "北碚", "渝北",
             "巴南", "解放碑", "观音桥", "两江新区"],
}
STREETS = ["人民路", "解放路", "中山路", "建设路", "新华路", "和平路", "胜利路", "文化路",
           "长江路", "黄河路", "东风路", "光明路", "青年路", "五一路", "友谊路", "迎宾路",
           "城东", "城西", "城南", "城北", "城中", "高新区", "经济开发区", "火车站",
           "新区", "滨江", "广场", "大学城", "工业园区", "南门", "北门", "新城",
           "金融中心", "商贸城", "开元路", "幸福路", "团结路", "朝阳路", "湖滨", "体育场"]
COUNTY_OUTLETS = ["城关", "人民路", "城东", "城西", "城南", "城北", "车站", "新街",
                  "开发区", "中心街"]


def fail(message):
    sys.exit("gen_sample_tables: " + message)


def read_bank_types(path):
    banks = []
    with open(path, encoding="utf-8", newline="") as f:
        reader = csv.reader(f, delimiter="\t")
        header = next(reader, None)
        if header != ["code", "name"]:
            fail(f"{path}: unexpected header {header!r}")
        for row in reader:
            if not row:
                continue
            if len(row) != 2 or len(row[0]) != 3 or not row[0].isdigit():
                fail(f"{path}: bad row {row!r}")
            code, name = row
            banks.append((code, RENAMED_BANKS.get(code, name)))
    codes = [c for c, _ in banks]
    if len(set(codes)) != len(codes):
        fail(f"{path}: duplicate bank type codes")
    if any(name == OWN_BANK_NAME for _, name in banks):
        fail(f"{path}: already names the own bank {OWN_BANK_NAME}")
    free = [c for c in OWN_BANK_PREFERRED_CODES if c not in codes]
    if not free:
        fail("no free bank type code left for the own bank")
    banks.append((free[0], OWN_BANK_NAME))
    banks.sort(key=lambda b: b[0])
    return banks


def read_cities(path):
    cities = []
    with open(path, encoding="utf-8", newline="") as f:
        reader = csv.DictReader(f)
        for row in reader:
            code, name = row["CityCode"], row["CityName"]
            pcode, pname = row["ProvinceCode"], row["ProvinceName"]
            if len(code) != 4 or not code.isdigit():
                fail(f"{path}: bad city code {code!r}")
            if not (1 <= len(pcode) <= 4) or not pcode.isdigit():
                fail(f"{path}: bad province code {pcode!r}")
            cities.append({"code": code, "name": name, "pcode": pcode, "pname": pname})
    codes = [c["code"] for c in cities]
    if len(set(codes)) != len(codes):
        fail(f"{path}: duplicate city codes")
    return cities


def provinces_of(cities):
    provinces = {}
    for c in cities:
        known = provinces.setdefault(c["pcode"], c["pname"])
        if known != c["pname"]:
            fail(f"province {c['pcode']} has two names: {known}, {c['pname']}")
    return sorted(provinces.items(), key=lambda p: int(p[0]))


def check_digit(first11):
    weights = [3, 7, 9, 1]
    total = sum(int(d) * weights[i % 4] for i, d in enumerate(first11))
    return str((10 - total % 10) % 10)


class BranchTable:
    def __init__(self, cities, banks, rng):
        self.rng = rng
        self.bank_name = dict(banks)
        self.city_by_code = {c["code"]: c for c in cities}
        self.province_name = {c["pcode"]: c["pname"] for c in cities}
        self.prefixes = {}  # prefix -> list of (number, name)
        self.names = set()

    def _unique(self, name, city):
        if name not in self.names:
            return name
        # Two areas share a name (a county in two provinces): real tables tell them
        # apart by the province.
        qualified = name.replace(city["name"], self.province_name[city["pcode"]] + city["name"], 1)
        if qualified in self.names:
            fail(f"cannot make branch name unique: {name}")
        return qualified

    def add_prefix(self, bank, city_code, superior, outlets):
        """superior: the name of the prefix's first row; outlets: names of the rest."""
        prefix = bank + city_code
        if prefix in self.prefixes:
            fail(f"prefix {prefix} generated twice")
        city = self.city_by_code[city_code]
        rows = []
        number = 1
        for name in [superior] + outlets:
            name = self._unique(name, city)
            self.names.add(name)
            rows.append((number, name))
            number += self.rng.randint(1, 40)
        if number > 9999:
            fail(f"prefix {prefix} has too many branches")
        self.prefixes[prefix] = rows

    def lines(self):
        for prefix in sorted(self.prefixes):
            for number, name in self.prefixes[prefix]:
                code = f"{prefix}{number:04d}"
                yield f"{code}{check_digit(code)}={name}"


def pick(rng, pool, low, high):
    return rng.sample(pool, min(len(pool), rng.randint(low, high)))


def city_branch(table, rng, bank, city, low, high, with_main_office):
    bank_name = table.bank_name[bank]
    head = f"{bank_name}{city['name']}分行"
    pool = DISTRICTS.get(city["name"], STREETS)
    outlets = [f"{head}营业部"] if with_main_office else []
    for place in pick(rng, pool, low, high):
        kind = "分理处" if rng.random() < 0.12 else "支行"
        outlets.append(f"{bank_name}{city['name']}{place}{kind}")
    table.add_prefix(bank, city["code"], head, outlets)


def county_branch(table, rng, bank, city, extra):
    bank_name = table.bank_name[bank]
    head = f"{bank_name}{city['name']}支行"
    outlets = []
    for place in pick(rng, COUNTY_OUTLETS, extra, extra):
        kind = "储蓄所" if rng.random() < 0.3 else "分理处"
        outlets.append(f"{bank_name}{city['name']}{place}{kind}")
    table.add_prefix(bank, city["code"], head, outlets)


def build_branches(cities, banks):
    rng = random.Random(SEED)
    table = BranchTable(cities, banks, rng)

    # The first city of each province in code order is its capital; the two special
    # administrative regions have no mainland branches of their own here.
    capitals = []
    seen = set()
    for c in cities:
        if c["pcode"] not in seen:
            seen.add(c["pcode"])
            if c["pcode"] not in ("81", "82"):
                capitals.append(c)
    by_name = {}
    for c in cities:
        by_name.setdefault(c["name"], c)
    majors = [by_name[n] for n in MAJOR_CITIES]
    capital_codes = {c["code"] for c in capitals}
    major_codes = capital_codes | {c["code"] for c in majors}
    prefectures = [c for c in cities
                   if c["code"][3] == "0" and c["code"] not in major_codes]
    counties = [c for c in cities if c["code"][3] != "0" and c["pcode"] not in ("81", "82")]

    # The big five and the postal bank in every capital and major city.
    for city in capitals + majors:
        municipality = city["name"] in DISTRICTS
        for bank in BIG_FIVE:
            if municipality:
                city_branch(table, rng, bank, city, 12, 20, True)
            else:
                city_branch(table, rng, bank, city, 4, 7, True)
        city_branch(table, rng, POSTAL, city, 2, 5, False)

    # Policy banks: one office per capital, the agricultural one with a few more.
    for city in capitals:
        for bank in POLICY:
            if bank == "203":
                city_branch(table, rng, bank, city, 0, 2, False)
            elif rng.random() < 0.4:
                city_branch(table, rng, bank, city, 0, 0, False)

    # Joint-stock banks: most capitals and major cities, a handful of outlets each.
    for bank in JOINT_STOCK:
        for city in capitals + majors:
            if city["name"] in DISTRICTS or rng.random() < 0.4:
                city_branch(table, rng, bank, city, 1, 4, False)

    # Foreign banks in the four largest markets.
    for bank in FOREIGN:
        for name in FOREIGN_CITIES:
            if name in ("北京市", "上海市") or rng.random() < 0.5:
                city_branch(table, rng, bank, by_name[name], 0, 1, False)

    # The other prefecture cities: the big four and the postal bank, some of them.
    for city in prefectures:
        for bank in BIG_FIVE[:4] + [POSTAL]:
            if rng.random() < 0.4:
                city_branch(table, rng, bank, city, 1, 4, rng.random() < 0.3)

    # Sub-areas (counties): a sample of them, each with a bank or two.
    for city in rng.sample(counties, 300):
        banks_here = ["103"] + rng.sample(["102", "104", "105", POSTAL], rng.randint(0, 1))
        for bank in banks_here:
            county_branch(table, rng, bank, city, rng.randint(0, 3))

    return list(table.lines())


def write_table(path, lines):
    data = bytearray()
    for number, line in enumerate(lines, 1):
        if not line or "\r" in line or "\n" in line:
            fail(f"{path.name} line {number}: empty or multi-line row {line!r}")
        try:
            data += line.encode("gbk") + b"\r\n"
        except UnicodeEncodeError as e:
            fail(f"{path.name} line {number}: {line!r} is not encodable in GBK ({e.reason})")
    # Round trip: a line must read back exactly as written.
    if data.decode("gbk").split("\r\n")[:-1] != lines:
        fail(f"{path.name}: GBK round trip changed the text")
    path.write_bytes(bytes(data))
    print(f"{path}: {len(lines)} rows, {len(data)} bytes")


def checked_pairs(pairs, what):
    for code, name in pairs:
        if "=" in code or "=" in name or not name:
            fail(f"{what}: field with '=' or empty name: {code!r} {name!r}")
    return [f"{code}={name}" for code, name in pairs]


def main(argv):
    if len(argv) not in (2, 3):
        fail("usage: gen_sample_tables.py FACTS_DIR [OUT_DIR]")
    facts = Path(argv[1])
    out = Path(argv[2]) if len(argv) == 3 else Path(__file__).resolve().parent.parent / "data" / "sample"
    banks = read_bank_types(facts / "cnaps-bank-types.tsv")
    cities = read_cities(facts / "cnaps-cities.csv")
    provinces = provinces_of(cities)

    banktype = checked_pairs(banks, "banktype.xml")
    state = checked_pairs(provinces, "state.xml")
    city = []
    for c in cities:
        if "=" in c["name"] or not c["name"]:
            fail(f"city.xml: bad city name {c['name']!r}")
        city.append(f"{c['pcode'].rjust(4, '0')}={c['code']}={c['name']}")
    branches = build_branches(cities, [b for b in banks if b[1] != OWN_BANK_NAME])
    for line in branches:
        code, name = line.split("=", 1)
        if "=" in name or len(code) != 12 or not code.isdigit():
            fail(f"BankCode.xml: bad row {line!r}")

    out.mkdir(parents=True, exist_ok=True)
    write_table(out / "banktype.xml", banktype)
    write_table(out / "state.xml", state)
    write_table(out / "city.xml", city)
    write_table(out / "BankCode.xml", branches)


if __name__ == "__main__":
    main(sys.argv)
