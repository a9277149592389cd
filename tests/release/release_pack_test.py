#!/usr/bin/env python3
"""release_pack_test.py RELEASE_PACK: the packer's test-bed check and its zip writer."""
import hashlib
import os
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

RELEASE_PACK = None


def put(path, data, mode=0o644, mtime=None):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    os.chmod(path, mode)
    if mtime is not None:
        os.utime(path, (mtime, mtime))


def run(*args, env=None):
    return subprocess.run([sys.executable, RELEASE_PACK] + list(args), capture_output=True,
                          text=True, env=env)


class TestBedCheck(unittest.TestCase):
    def test_refuses_stand_ins_by_name_and_by_bytes_and_passes_the_rest(self):
        with tempfile.TemporaryDirectory() as top:
            testbed = os.path.join(top, "testbed")
            put(os.path.join(testbed, "FlashInstaller.exe"), b"MZ stand-in installer")
            stage = os.path.join(top, "stage")
            put(os.path.join(stage, "Play.exe"), b"MZ the launcher")
            put(os.path.join(stage, "template", "ini", "play.dat"), b"links")
            clean = run("check", stage, "--testbed", testbed)
            self.assertEqual(clean.returncode, 0, clean.stderr)

            # Renamed, it is still the stand-in; named as one, whatever it holds, it is refused.
            put(os.path.join(stage, "tools", "setup.exe"), b"MZ stand-in installer")
            put(os.path.join(stage, "template", "Flash.OCX"), b"anything")
            refused = run("check", stage, "--testbed", testbed)
            self.assertEqual(refused.returncode, 1)
            self.assertIn("tools/setup.exe: the same bytes as", refused.stderr)
            self.assertIn("template/Flash.OCX: named as a test-bed file", refused.stderr)
            self.assertNotIn("Play.exe", refused.stderr)
            self.assertNotIn("play.dat", refused.stderr)


class ZipWriter(unittest.TestCase):
    def stage(self, top, name, mode, mtime, order):
        stage = os.path.join(top, name)
        files = {"Play.exe": b"MZ" + bytes(range(256)) * 40, "tools/fetch.exe": b"MZ fetch",
                 "template/ini/PlayGui.ini": b"[Exit]\r\nx=1\r\n", "LICENSE": b"MIT"}
        for relative in sorted(files, reverse=order):
            put(os.path.join(stage, relative), files[relative], mode, mtime)
        return stage

    def test_same_bytes_from_any_folder_time_mode_and_order_with_the_commit_date(self):
        epoch = 1796911378
        env = dict(os.environ, SOURCE_DATE_EPOCH=str(epoch))
        with tempfile.TemporaryDirectory() as top:
            first = self.stage(top, "a", 0o755, 1000000000, False)
            second = self.stage(top, "somewhere/much/deeper", 0o600, time.time(), True)
            zips = []
            for stage, out in ((first, "out1"), (second, "out2")):
                outdir = os.path.join(top, out)
                os.makedirs(outdir)
                result = run("write", stage, outdir, "release.zip", env=env)
                self.assertEqual(result.returncode, 0, result.stderr)
                with open(os.path.join(outdir, "release.zip"), "rb") as f:
                    zips.append(f.read())
            self.assertEqual(zips[0], zips[1])

            outdir = os.path.join(top, "out1")
            with zipfile.ZipFile(os.path.join(outdir, "release.zip")) as archive:
                infos = archive.infolist()
                names = [info.filename for info in infos]
                self.assertEqual(names, sorted(names))
                self.assertEqual(archive.read("template/ini/PlayGui.ini"), b"[Exit]\r\nx=1\r\n")
                for info in infos:
                    self.assertEqual(info.date_time, time.gmtime(epoch)[:6], info.filename)
                    self.assertEqual(info.external_attr >> 16, 0o100644, info.filename)
            with open(os.path.join(outdir, "SHA256SUMS")) as f:
                sums = f.read()
            self.assertEqual(sums, "%s  release.zip\n" % hashlib.sha256(zips[0]).hexdigest())
            self.assertEqual(sorted(os.listdir(outdir)), ["SHA256SUMS", "release.zip"])


if __name__ == "__main__":
    RELEASE_PACK = sys.argv.pop(1)
    unittest.main()
