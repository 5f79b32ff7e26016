/** The installer's main class in the run modes. */
public final class run {
  private run() {}

  public static void main(String[] args) {
    System.exit(DemoInstaller.install("run", args));
  }
}
